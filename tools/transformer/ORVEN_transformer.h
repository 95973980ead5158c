/*
 * ORVEN_transformer.h - the format transformer of module files
 * (libORVEN_transformer_DLL.so), loaded by name at run time by the designer.
 *
 * Every function returns a 32-bit int; texts are zero-terminated 8-bit
 * strings; text results are copied into caller buffers, cut to size - 1
 * bytes and terminated with a zero byte (nothing is written for a null
 * buffer or a size below 1).
 *
 * Formats are enumerated from the oldest to the newest; the designer knows
 * a format by its position in that enumeration (from 0), the library by its
 * identifier.
 */
#ifndef ORVEN_TRANSFORMER_H
#define ORVEN_TRANSFORMER_H

#ifdef __cplusplus
#define ORVEN_TRANSFORMER_EXTERN extern "C"
#else
#define ORVEN_TRANSFORMER_EXTERN extern
#endif

#define ORVEN_TRANSFORMER_API ORVEN_TRANSFORMER_EXTERN __attribute__((visibility("default"))) int

/* Non-zero when the library is ready; must precede every other call. */
ORVEN_TRANSFORMER_API InitializeOrvenTransformerInterface(void);
/* Non-zero on success; 0 when the library was not initialised. */
ORVEN_TRANSFORMER_API FinalizeOrvenTransformerInterface(void);
/* The number of formats the library can write. */
ORVEN_TRANSFORMER_API NumberOfFormats(void);
/* The identifier of the oldest format. */
ORVEN_TRANSFORMER_API IDOfFirstFormat(int* identifier);
/* The identifier of the format after the given one; 0 after the newest. */
ORVEN_TRANSFORMER_API IDOfNextFormatID(int identifier, int* next);
/* The display name of a format. */
ORVEN_TRANSFORMER_API NameOfFormatID(int identifier, char* buffer, int size);
/* Non-zero when the file's format is one the library knows; its name. */
ORVEN_TRANSFORMER_API ReadFileFormat(const char* filePath, char* buffer, int size);
/* Rewrites the source file into the format at the given position and
 * stores the result under the destination path (which may be the source):
 * 2 converted, 1 conversion not supported, 0 error reading or writing
 * files. A readable log is written into the buffer in every case. */
ORVEN_TRANSFORMER_API TransformFile(const char* sourcePath, const char* destinationPath,
                                    int formatPosition, char* logBuffer, int logSize);

#endif /* ORVEN_TRANSFORMER_H */
