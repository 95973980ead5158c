// Starts the engine from the current directory (which must hold
// "nonportable.cps" and an "externals" directory), prints its version, the
// codification languages, the general platforms with the number of their
// components, and ends the engine.
#include <cstdio>

#include "orven.h"

int main() {
    char error[256] = "";
    if (InitializeOrvenInterface("externals", nullptr, error, sizeof error) != 1) {
        std::fprintf(stderr, "Error initializing: %s\n", error);
        return 1;
    }
    char version[8] = "";
    ORVENVersion(version);
    std::printf("ORVEN engine %s\n", version);

    char name[256];
    const int languages = NumberOfDefinedCodificationLanguages();
    std::printf("Codification languages (%d):\n", languages);
    for (int k = 0; k < languages; ++k) {
        if (GetCodificationLanguageName(k, name, sizeof name) == 1) {
            std::printf("  %d %s\n", k, name);
        }
    }
    const int platforms = NumberOfDefinedGeneralPlatforms();
    std::printf("General platforms (%d):\n", platforms);
    for (int k = 0; k < platforms; ++k) {
        if (NameOfGeneralPlatform(k, name, sizeof name) == 1) {
            std::printf("  %d %s: %d components\n", k, name, NumberOfDefinedComponents(k));
        }
    }
    FinalizeOrvenInterface();
    return 0;
}
