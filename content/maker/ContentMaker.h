// The kinds of content the maker writes into the program folder, one function per kind.
#pragma once

#include <string>

// Each writes its folder(s) under `programFolder` and returns false (with a message on
// stderr) when anything could not be written.
bool MakePatternLibrary(const std::string& programFolder);
bool MakeTextureLibrary(const std::string& programFolder);
// The plan symbols as shape files; their metafiles go to `sourceFolder` too when it is given.
bool MakePlanSymbols(const std::string& programFolder, const std::string& sourceFolder);
bool MakeFloorPlans(const std::string& programFolder);
// The palettes' shapes, symbols and sample favourites as object files with order files.
bool MakeLibraryObjects(const std::string& programFolder);
// The perspective folder's scene, which the perspective extraction renders.
bool MakePerspectiveScene(const std::string& programFolder);
// Every content folder the program lists or writes into, empty where nothing lands yet.
bool MakeContentFolders(const std::string& programFolder);
// The help file "QVZ.HLP" that the help menu opens.
bool MakeHelpFile(const std::string& programFolder);

// Every kind, in order; false when any failed.
bool MakeProgramFolder(const std::string& programFolder, const std::string& sourceFolder = "");
