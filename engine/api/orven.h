/*
 * orven.h - the exported interface of the ORVEN engine library (orven_dll).
 *
 * Rules that hold for every function below:
 *  - Every function returns a 32-bit int: 1 done, 0 not done; counts and
 *    lengths are non-negative; -1 only where a function says "not found".
 *  - Text arguments are zero-terminated 8-bit strings. A null pointer stands
 *    for the empty text. Carriage returns (byte 13) are removed from every
 *    text argument before it is used.
 *  - Text results are written into a caller-owned buffer with its size:
 *    nothing is written for a null buffer; the text is copied without its
 *    carriage returns, cut to size - 1 bytes and terminated with a zero byte;
 *    a size of 0 means "no limit" (ask the matching length query first).
 *  - A time restriction is a pair of floats {minimum, maximum}; a negative
 *    value means "not set".
 *  - The engine keeps one process-wide state (one current module, one
 *    application, one macro script of the code assistant, the component
 *    catalogue, ...). It is single-threaded: call it from one thread.
 *  - No function ever throws; every failure is reported by its result.
 *
 * Several functions take the buffer size before the buffer; their
 * parameter names say so.
 */
#ifndef ORVEN_H
#define ORVEN_H

#if defined(_WIN32) && !defined(_WIN64)
#define ORVEN_CALL __stdcall
#else
#define ORVEN_CALL
#endif

#ifdef __cplusplus
#define ORVEN_EXTERN extern "C"
#else
#define ORVEN_EXTERN extern
#endif

#if defined(_WIN32)
#define ORVEN_VISIBLE __declspec(dllexport)
#else
#define ORVEN_VISIBLE __attribute__((visibility("default")))
#endif

#define ORVEN_API ORVEN_EXTERN ORVEN_VISIBLE int ORVEN_CALL

/* ---- Engine: start, end and general utilities ------------------------ */

ORVEN_API ORVENVersion(char *buffer); /* buffer of at least 7 bytes */
ORVEN_API InitializeOrvenInterface(const char *externalsDirectory, const char *reserved,
                                   char *errorBuffer, int errorSize);
ORVEN_API FinalizeOrvenInterface(void);
ORVEN_API IsDefinedCurrentOXAModule(void);
ORVEN_API ValidateDescription(const char *text);
ORVEN_API TimeIncluded(const float *outerPair, const float *innerPair);
ORVEN_API GetDateOfFile(const char *filePath, char *buffer, int size);

/* ---- Module, groups of services and services ------------------------- */

ORVEN_API CreateNewOXAModule(const char *name, const char *description);
ORVEN_API DeleteCurrentOXAModule(void);
ORVEN_API ValidateDescriptionsOXAModule(char *buffer, int size);
ORVEN_API ChangeNameDescriptionOXAModule(const char *name, const char *description);
ORVEN_API NameOXAModule(char *buffer, int size);
ORVEN_API DescriptionOXAModule(char *buffer, int size);
ORVEN_API AddNewGroupOfServices(const char *name, const char *description);
ORVEN_API ExistGroupOfServices(const char *name);
ORVEN_API ChangeNameDescriptionGroup(const char *oldName, const char *newName,
                                     const char *description);
ORVEN_API DescriptionGroupOfServices(const char *group, char *buffer, int size);
ORVEN_API DeleteGroupOfServices(const char *name);
ORVEN_API NumberOfGroups(void);
ORVEN_API GetNameOfGroupByPos(int position, int size, char *buffer);
ORVEN_API NumberOfServices(const char *group);
ORVEN_API GetNameOfServiceByPos(const char *group, int position, int size, char *buffer);
ORVEN_API CreateOXAService(const char *group, const char *name, const char *description);
ORVEN_API ExistOXAService(const char *group, const char *service);
ORVEN_API DeleteOXAService(const char *group, const char *service);
ORVEN_API ChangeOXAServiceIDs(const char *group, const char *oldName, const char *newName,
                              const char *description);
ORVEN_API DescriptionOXAService(const char *group, const char *service, char *buffer,
                                int size);

/* ---- Module file ------------------------------------------------------ */

ORVEN_API SaveOXAModule(const char *filePath);
ORVEN_API LoadOXAModule(const char *filePath, int errorSize, char *errorBuffer);
ORVEN_API DecompactText(const char *blockText, char *buffer, int size);

/* ---- Module code sections, priority and general information ----------
 * Section selectors: 0 public definitions, 2 global data (internal status),
 * 3 startup, 4 pre-ending, 5 post-ending, 6 global code (auxiliary logic). */

ORVEN_API OXAModulePriority(void);
ORVEN_API ChangeOXAModulePriority(int priority);
ORVEN_API LengthOXAModuleData(int selector);
ORVEN_API RetrieveTimeRestriction(int selector, float *pair);
ORVEN_API SetTimeRestriction(int selector, const float *pair);
ORVEN_API RetrieveOXAModuleGlobalData(char *buffer, int size);
ORVEN_API ChangeOXAModuleGlobalData(const char *text);
ORVEN_API RetrieveOXAModuleGlobalCode(char *buffer, int size);
ORVEN_API ChangeOXAModuleGlobalCode(const char *text);
ORVEN_API RetrieveOXAModulePreDefinitions(char *buffer, int size);
ORVEN_API ChangeOXAModulePreDefinitions(const char *text);
ORVEN_API RetrieveOXAModuleStartupCode(char *buffer, int size);
ORVEN_API ChangeOXAModuleStartupCode(const char *text);
ORVEN_API RetrieveOXAModulePreEndingCode(char *buffer, int size);
ORVEN_API ChangeOXAModulePreEndingCode(const char *text);
ORVEN_API RetrieveOXAModulePostEndingCode(char *buffer, int size);
ORVEN_API ChangeOXAModulePostEndingCode(const char *text);
ORVEN_API GetOXAModuleGeneralInfo(int versionSize, char *version, int dateSize, char *date,
                                  int authorSize, char *author, int otherDependenciesSize,
                                  char *otherDependencies, int commentsSize, char *comments);
ORVEN_API SetOXAModuleGeneralInfo(const char *version, const char *date, const char *author,
                                  const char *otherDependencies, const char *comments);

/* ---- Service details ----------------------------------------------------
 * Service section selectors: 0 server code, 1 input data, 2 output data. */

ORVEN_API OXAServiceCharacteristics(const char *group, const char *service,
                                    char *sixByteBuffer);
ORVEN_API ChangeOXAServiceChars(const char *group, const char *service,
                                const char *sixByteText);
ORVEN_API OXAServiceType(const char *group, const char *service);
ORVEN_API ChangeOXAServiceType(const char *group, const char *service, int type);
ORVEN_API OXAServiceEventHandlerCode(const char *group, const char *service, char *buffer,
                                     int size);
ORVEN_API SetOXAServiceEventHandlerCode(const char *group, const char *service,
                                        const char *code);
ORVEN_API OXAServiceEventGeneratorModule(const char *group, const char *service,
                                         char *buffer, int size);
ORVEN_API SetOXAServiceEventGeneratorModule(const char *group, const char *service,
                                            const char *moduleName);
ORVEN_API OXAServiceRelPriority(const char *group, const char *service);
ORVEN_API ChangeOXAServiceRelPrio(const char *group, const char *service, int priority);
ORVEN_API OXAServicePriorityType(const char *group, const char *service);
ORVEN_API RetrieveOXAServiceInputData(const char *group, const char *service, char *buffer,
                                      int size);
ORVEN_API ChangeOXAServiceInputData(const char *group, const char *service, const char *text);
ORVEN_API RetrieveOXAServiceOutputData(const char *group, const char *service, char *buffer,
                                       int size);
ORVEN_API ChangeOXAServiceOutputData(const char *group, const char *service,
                                     const char *text);
ORVEN_API RetrieveOXAServiceServerCode(const char *group, const char *service, char *buffer,
                                       int size);
ORVEN_API ChangeOXAServiceServerCode(const char *group, const char *service,
                                     const char *text);
ORVEN_API LengthOXAServiceData(int selector, const char *group, const char *service);
ORVEN_API RetrieveTimeRestrictionService(int selector, const char *group, const char *service,
                                         float *pair);
ORVEN_API SetTimeRestrictionService(int selector, const char *group, const char *service,
                                    const float *pair);

/* ---- Signals and module dependencies ------------------------------------ */

ORVEN_API NumberOfDefinedSignals(void);
ORVEN_API ClearDefinedSignals(void);
ORVEN_API ReadDefinedSignal(int position, char *nameBuffer, int nameSize, char *kindOut,
                            char *codeBuffer, int codeSize);
ORVEN_API AddNewDefinedSignal(const char *name, const char *kindText, const char *code);
ORVEN_API RemoveDefinedSignal(int position);
ORVEN_API GetNumberOfModuleDependencies(void);
ORVEN_API ExistsModuleDependency(const char *moduleName, const char *serviceName);
ORVEN_API ReadModuleDependency(int position, char *moduleBuffer, char *serviceBuffer,
                               int moduleSize, int serviceSize, float *pair);
ORVEN_API AddModuleDependency(const char *moduleName, const char *serviceName,
                              const float *pair);
ORVEN_API RemoveModuleDependency(int position);

/* ---- Other modules' signals and callable services ----------------------- */

ORVEN_API ReadOtherModuleDefinedSignals(const char *moduleFilePath);
ORVEN_API NumberOfOtherDefinedSignals(void);
ORVEN_API ReadOtherDefinedSignal(int position, char *nameBuffer, int nameSize, char *kindOut,
                                 char *codeBuffer, int codeSize);
ORVEN_API OtherDefinedSignalsModuleName(char *buffer, int size);
ORVEN_API LoadOtherModuleAsDependencies(const char *moduleFilePath);
ORVEN_API LoadThisModuleAsDependencies(void);
ORVEN_API NumberOfDependenciesOtherModule(void);
ORVEN_API ReadOtherModuleDependency(int position, char *moduleBuffer, char *serviceBuffer,
                                    int moduleSize, int serviceSize, float *pair);
ORVEN_API ClearOtherModuleDependencies(void);
ORVEN_API ReadOtherModuleAsWholeDependency(const char *moduleFilePath, char *moduleBuffer,
                                           char *serviceBuffer, int moduleSize,
                                           int serviceSize, float *pair);

/* ---- External entries ----------------------------------------------------
 * Kinds: 0 external data (included), 1 external code (compiled or linked),
 * 2 entries read from a project file, 3 external passive (copied only). */

ORVEN_API NumberOfExternalDataEntries(int kind);
ORVEN_API RetrieveExternalDataEntry(int kind, int position, char *pathBuffer,
                                    char *nameBuffer, char *dateBuffer, int pathSize,
                                    int nameSize, int dateSize);
ORVEN_API ChangeExternalDataEntry(int kind, int position, const char *path, const char *name);
ORVEN_API DeleteExternalDataEntry(int kind, int position);
ORVEN_API CheckModificationsDataEntry(int kind, int position);
ORVEN_API CopyExternalsIntoFiles(int kind, const char *directory);
ORVEN_API ReadExternalCodeFromDSP(const char *projectFilePath);
ORVEN_API SetExternalCodeFromReadExternals(int mode);

/* ---- Macro-script services of the code assistant ------------------------ */

ORVEN_API LoadMacroScript(const char *path);
ORVEN_API UnloadMacroScript(void);
ORVEN_API ApplicabilityOfMacroScriptZone(const char *zone, char *eightByteBuffer);
ORVEN_API NumberOfMacrosFromMacroScript(const char *zone);
ORVEN_API GetMacroNameFromMacroScript(int position, const char *zone, char *buffer, int size);
ORVEN_API RegisterMacroSubstitution(const char *name, const char *value);
ORVEN_API MakeMacroSubstitutions(const char *zone, char *buffer, int size, int indentCount,
                                 const char *indentCharText);
ORVEN_API CleanMacroSubstitutions(void);
ORVEN_API ConvertToIdentifier(const char *text, char *buffer, int size);

/* ---- Catalogues: codification languages, general platforms, components -- */

ORVEN_API LoadComponentsFile(const char *path);
ORVEN_API NumberOfDefinedCodificationLanguages(void);
ORVEN_API GetCodificationLanguageName(int position, char *buffer, int size);
ORVEN_API GetOXAModuleCodificationLanguage(void);
ORVEN_API SetOXAModuleCodificationLanguage(int position);
ORVEN_API GetAssistantMacroScriptFile(int position, char *buffer, int size);
ORVEN_API NumberOfDefinedGeneralPlatforms(void);
ORVEN_API NameOfGeneralPlatform(int position, char *buffer, int size);
ORVEN_API NumberOfDefinedComponents(int platformPosition);
ORVEN_API NameOfComponent(int platformPosition, int componentPosition, char *buffer,
                          int size);

/* ---- Deportabilization (non-portable components of the module) ---------- */

ORVEN_API IndexOfSelectedComponent(int platformPosition, int selectedPosition);
ORVEN_API NumberOfSelectedComponents(int platformPosition);
ORVEN_API GetSelectedComponent(int platformPosition, int selectedPosition);
ORVEN_API SelectNewComponent(int platformPosition, int componentPosition);
ORVEN_API DeselectComponent(int platformPosition, int componentPosition);
ORVEN_API IsComponentSelected(int platformPosition, int componentPosition);
ORVEN_API ClearDeportabilization(void);
ORVEN_API IsDeportabilizationEmpty(void);
ORVEN_API BackupCurrentDeportabilization(void);
ORVEN_API RestoreCurrentDeportabilization(void);

/* ---- Applications, conceptual units and priorities ---------------------- */

ORVEN_API CreateNewApplication(const char *name, const char *description);
ORVEN_API DeleteCurrentApplication(void);
ORVEN_API ExistsApplication(void);
ORVEN_API NumberOfPriorityCalculators(void);
ORVEN_API NameOfPriorityCalculator(int calculatorIndex, char *buffer, int size);
ORVEN_API CalculatePrioritiesOfApplication(int calculatorIndex);
ORVEN_API NumberOfPrioritiesUsed(void);
ORVEN_API ReadPriorityStringOfModule(int unitPosition, int modulePosition, int offset,
                                     char *buffer, int size);
ORVEN_API AddNewConceptualUnit(const char *name, const char *description);
ORVEN_API NumberOfConceptualUnits(void);
ORVEN_API AddModuleToConceptualUnit(int unitPosition, const char *moduleFilePath,
                                    int messageSize, char *messageBuffer);
ORVEN_API NumberOfModulesInConceptualUnit(int unitPosition);
ORVEN_API ModuleInConceptualUnitByOXAFile(int unitPosition, const char *filePath);
ORVEN_API SetModulePriorityIntoApplication(int unitPosition, int modulePosition,
                                           int priority);

/* ---- Code generators ----------------------------------------------------- */

ORVEN_API NumberOfExistingGenerators(void);
ORVEN_API NumberOfPlatformsSupportedByNthGenerator(int generator, int platformPosition);
ORVEN_API NameOfMthPlatformSupportedByNthGenerator(int generator, int platformPosition,
                                                   int componentPosition, char *buffer,
                                                   int size);
ORVEN_API CodificationLanguageSupportedByNthGenerator(int generator);
ORVEN_API CompilerSupportedByNthGenerator(int generator, char *buffer, int size);
ORVEN_API NameOfNthExistingGenerator(int generator, char *buffer, int size);
ORVEN_API GeneratorCanGenerate(int generator);
ORVEN_API GeneratorValidate(int generator, int fix, char *reportBuffer, int size);
ORVEN_API Generate(int generator, const char *outputDirectory, int errorSize,
                   char *errorBuffer, const char *options);
ORVEN_API PredictChangeOptions(int generator, int changeKind, char *options);

/* ---- Automatic build and its error list ---------------------------------- */

ORVEN_API CompileLinkAutomatically(const char *directory);
ORVEN_API NumberOfErrors(void);
ORVEN_API ReadError(int index, char *buffer, int size);

#endif /* ORVEN_H */
