// The program folder's content folders, made even where no content lands yet, so that every
// folder the program lists or writes into exists from the first start.
#include "ContentMaker.h"

#include <cstdio>

#include "ContentFile.h"

bool MakeContentFolders(const std::string& programFolder) {
  static const char* const kFolders[] = {
      "ひな型/サンプル/横", "ひな型/サンプル/縦", "サンプル", "お気に入り", "図形", "シンボル",
      "間取り図", "パース図", "テクスチャ", "パターン", "自動保存", "shapes",
  };
  bool ok = true;
  for (const char* f : kFolders) {
    if (!MakeFolder(programFolder + "/" + f)) {
      std::fprintf(stderr, "qvzmaker: folder %s could not be made\n", f);
      ok = false;
    }
  }
  return ok;
}
