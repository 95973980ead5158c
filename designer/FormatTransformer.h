// The designer's access to the format transformer of module files, the
// outside library ORVEN_transformer_DLL. The library is loaded by name when
// it is first needed.
#pragma once

#include <QLibrary>
#include <QString>
#include <functional>
#include <memory>

namespace orven::designer {

class FormatTransformer {
  public:
    virtual ~FormatTransformer() = default;
    virtual int initialize() = 0;
    virtual int finalize() = 0;
    virtual int numberOfFormats() = 0;
    virtual int idOfFirstFormat(int* identifier) = 0;
    virtual int idOfNextFormat(int identifier, int* next) = 0;
    virtual int nameOfFormat(int identifier, char* buffer, int size) = 0;
    virtual int readFileFormat(const char* path, char* buffer, int size) = 0;
    virtual int transformFile(const char* source, const char* destination, int position, char* log,
                              int size) = 0;
    // Why the library is not usable (empty when it is).
    virtual QString problem() const { return {}; }
};

// The library found beside the executable, in a directory of the search
// path (PATH, where the tool stand-ins live) or by the system's library
// search. When it cannot be loaded, initialize() gives 0 and problem()
// says why.
class LibraryTransformer : public FormatTransformer {
  public:
    LibraryTransformer();
    int initialize() override;
    int finalize() override;
    int numberOfFormats() override;
    int idOfFirstFormat(int* identifier) override;
    int idOfNextFormat(int identifier, int* next) override;
    int nameOfFormat(int identifier, char* buffer, int size) override;
    int readFileFormat(const char* path, char* buffer, int size) override;
    int transformFile(const char* source, const char* destination, int position, char* log,
                      int size) override;
    QString problem() const override { return problem_; }

    // The candidate files of the library, in the order they are tried.
    static QStringList candidates();

  private:
    bool load();

    QLibrary library_;
    QString problem_;
    bool loaded_ = false;
    int (*initialize_)() = nullptr;
    int (*finalize_)() = nullptr;
    int (*numberOfFormats_)() = nullptr;
    int (*idOfFirstFormat_)(int*) = nullptr;
    int (*idOfNextFormat_)(int, int*) = nullptr;
    int (*nameOfFormat_)(int, char*, int) = nullptr;
    int (*readFileFormat_)(const char*, char*, int) = nullptr;
    int (*transformFile_)(const char*, const char*, int, char*, int) = nullptr;
};

// Makes the transformer that a command uses (tests substitute their own).
using TransformerFactory = std::function<std::unique_ptr<FormatTransformer>()>;

}  // namespace orven::designer
