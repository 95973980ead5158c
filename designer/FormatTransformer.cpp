#include "FormatTransformer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orven::designer {

namespace {
const char* const kLibraryName = "ORVEN_transformer_DLL";
}

LibraryTransformer::LibraryTransformer() = default;

QStringList LibraryTransformer::candidates() {
    const QString file = QStringLiteral("lib") + kLibraryName + QStringLiteral(".so");
    QStringList out;
    out << QDir(QCoreApplication::applicationDirPath()).filePath(file);
    const QString path = qEnvironmentVariable("PATH");
    for (const QString& dir : path.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        out << QDir(dir).filePath(file);
    }
    return out;
}

bool LibraryTransformer::load() {
    if (loaded_) {
        return true;
    }
    bool found = false;
    for (const QString& candidate : candidates()) {
        if (QFileInfo::exists(candidate)) {
            library_.setFileName(candidate);
            found = library_.load();
            if (found) {
                break;
            }
        }
    }
    if (!found) {
        library_.setFileName(QString::fromLatin1(kLibraryName));
        found = library_.load();
    }
    if (!found) {
        problem_ = "The library " + QString::fromLatin1(kLibraryName) +
                   " could not be loaded: " + library_.errorString();
        return false;
    }
    initialize_ =
        reinterpret_cast<int (*)()>(library_.resolve("InitializeOrvenTransformerInterface"));
    finalize_ = reinterpret_cast<int (*)()>(library_.resolve("FinalizeOrvenTransformerInterface"));
    numberOfFormats_ = reinterpret_cast<int (*)()>(library_.resolve("NumberOfFormats"));
    idOfFirstFormat_ = reinterpret_cast<int (*)(int*)>(library_.resolve("IDOfFirstFormat"));
    idOfNextFormat_ = reinterpret_cast<int (*)(int, int*)>(library_.resolve("IDOfNextFormatID"));
    nameOfFormat_ = reinterpret_cast<int (*)(int, char*, int)>(library_.resolve("NameOfFormatID"));
    readFileFormat_ =
        reinterpret_cast<int (*)(const char*, char*, int)>(library_.resolve("ReadFileFormat"));
    transformFile_ = reinterpret_cast<int (*)(const char*, const char*, int, char*, int)>(
        library_.resolve("TransformFile"));
    if (!initialize_ || !finalize_ || !numberOfFormats_ || !idOfFirstFormat_ || !idOfNextFormat_ ||
        !nameOfFormat_ || !readFileFormat_ || !transformFile_) {
        problem_ = "The library " + library_.fileName() +
                   " lacks some of the operations of the format transformer.";
        library_.unload();
        return false;
    }
    loaded_ = true;
    problem_.clear();
    return true;
}

int LibraryTransformer::initialize() {
    return load() ? initialize_() : 0;
}
int LibraryTransformer::finalize() {
    return loaded_ ? finalize_() : 0;
}
int LibraryTransformer::numberOfFormats() {
    return loaded_ ? numberOfFormats_() : 0;
}
int LibraryTransformer::idOfFirstFormat(int* identifier) {
    return loaded_ ? idOfFirstFormat_(identifier) : 0;
}
int LibraryTransformer::idOfNextFormat(int identifier, int* next) {
    return loaded_ ? idOfNextFormat_(identifier, next) : 0;
}
int LibraryTransformer::nameOfFormat(int identifier, char* buffer, int size) {
    return loaded_ ? nameOfFormat_(identifier, buffer, size) : 0;
}
int LibraryTransformer::readFileFormat(const char* path, char* buffer, int size) {
    return loaded_ ? readFileFormat_(path, buffer, size) : 0;
}
int LibraryTransformer::transformFile(const char* source, const char* destination, int position,
                                      char* log, int size) {
    return loaded_ ? transformFile_(source, destination, position, log, size) : 0;
}

}  // namespace orven::designer
