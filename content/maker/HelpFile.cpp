// The program's help file, "QVZ.HLP": a WinHelp 3.1 file written by our own writer, with a
// contents topic and one topic per menu, in Japanese (Shift-JIS). Uncompressed, one topic block.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ContentFile.h"
#include "ContentMaker.h"
#include "DibFormat.h"

namespace {

struct Bytes {
  std::vector<uint8_t> v;
  void U8(unsigned x) { v.push_back((uint8_t)x); }
  void U16(unsigned x) { U8(x & 0xFF), U8((x >> 8) & 0xFF); }
  void U32(uint32_t x) { U16(x & 0xFFFF), U16(x >> 16); }
  void Str(const std::string& s) { v.insert(v.end(), s.begin(), s.end()), U8(0); }
  void Raw(const std::vector<uint8_t>& b) { v.insert(v.end(), b.begin(), b.end()); }
  void PadTo(size_t n) { v.resize(std::max(v.size(), n), 0); }
  void Put32(size_t at, uint32_t x) {
    for (int i = 0; i < 4; i++) v[at + i] = (uint8_t)(x >> (8 * i));
  }
};

// An internal file: its 9-byte header (size with and without it) and the content.
std::vector<uint8_t> InternalFile(const std::vector<uint8_t>& content) {
  Bytes b;
  b.U32((uint32_t)content.size() + 9);
  b.U32((uint32_t)content.size());
  b.U8(0);
  b.Raw(content);
  return b.v;
}

// A B+ tree of one leaf page holding the entries as given (already in key order).
std::vector<uint8_t> OneLeafTree(const char* structure, unsigned flags, unsigned pageSize, unsigned count,
                                 const std::vector<uint8_t>& entries) {
  Bytes b;
  b.U16(0x293B);
  b.U16(flags);
  b.U16(pageSize);
  std::string s = structure;
  s.resize(16, '\0');
  b.v.insert(b.v.end(), s.begin(), s.end());
  b.U16(0);       // must be zero
  b.U16(0);       // page splits
  b.U16(0);       // root page
  b.U16(0xFFFF);  // must be -1
  b.U16(1);       // pages
  b.U16(1);       // levels
  b.U32(count);
  const size_t page = b.v.size();
  b.U16((unsigned)(pageSize - 8 - entries.size()));  // unused bytes
  b.U16(count);
  b.U16(0xFFFF);  // previous page
  b.U16(0xFFFF);  // next page
  b.Raw(entries);
  b.PadTo(page + pageSize);
  return b.v;
}

// The viewer's hash of a context name.
int32_t ContextHash(const std::string& name) {
  uint32_t h = 0;
  for (char c : name) {
    int x = 0;
    if (c >= 'A' && c <= 'Z') x = c - 'A' + 17;
    if (c >= 'a' && c <= 'z') x = c - 'a' + 17;
    if (c >= '1' && c <= '9') x = c - '0';
    if (c == '0') x = 10;
    if (c == '.') x = 12;
    if (c == '_') x = 13;
    if (x) h = h * 43 + (uint32_t)x;
  }
  return (int32_t)h;
}

struct Topic {
  std::string context, title;
  std::vector<std::string> lines;  // one paragraph each
};

// A TOPICLINK: its 21-byte header, then LinkData1 and LinkData2.
void AddLink(Bytes& data, uint32_t prev, uint8_t type, const std::vector<uint8_t>& d1, const std::vector<uint8_t>& d2,
             size_t* nextField) {
  const size_t at = data.v.size();
  data.U32((uint32_t)(21 + d1.size() + d2.size()));
  data.U32((uint32_t)d2.size());
  data.U32(prev);
  *nextField = data.v.size();
  data.U32(0xFFFFFFFF);  // next, filled in by the following link
  data.U32((uint32_t)(21 + d1.size()));
  data.U8(type);
  data.Raw(d1);
  data.Raw(d2);
  (void)at;
}

}  // namespace

bool MakeHelpFile(const std::string& programFolder) {
  const std::vector<Topic> topics = {
      {"contents", "Zenboraのヘルプ",
       {"Zenboraは、ボードを作成して印刷するプログラムです。", "メニューごとの説明は次のトピックをご覧ください。",
        "ファイル、編集、表示、挿入、図形操作、ツール、ヘルプ"}},
      {"menu_file", "ファイル メニュー",
       {"新しいボードの作成、ボードファイルを開く、保存、印刷とプレビュー、イメージの保存を行います。"}},
      {"menu_edit", "編集 メニュー", {"元に戻す、切り取り、コピー、貼り付け、削除、すべて選択を行います。"}},
      {"menu_view", "表示 メニュー", {"ツールバー、ルーラー、グリッド、ガイド、拡大と縮小の表示を切り替えます。"}},
      {"menu_insert", "挿入 メニュー", {"ページ、図、テキスト、間取り図、パース図をボードに挿入します。"}},
      {"menu_shape", "図形操作 メニュー", {"図形のグループ化、整列、反転、回転、ロックを行います。"}},
      {"menu_tools", "ツール メニュー", {"用紙、グリッド、自動保存、Vendaroデータ、縮尺の設定を行います。"}},
      {"menu_help", "ヘルプ メニュー",
       {"このヘルプ、TalvikのWebページ、バージョン情報を表示します。"}},
  };
  auto sjis = [](const std::string& u8) {
    std::string s;
    if (!ToShiftJis(u8, &s)) s.clear();
    return s;
  };

  // |TOPIC: one block of 4096 bytes: block header, then the links.
  Bytes data;  // the block's data, after its 12-byte header
  std::vector<uint32_t> topicOffsets;
  uint32_t textOffset = 0, prevRef = 0xFFFFFFFF, lastHeaderRef = 0;
  size_t nextField = (size_t)-1;
  auto link = [&](uint8_t type, const std::vector<uint8_t>& d1, const std::vector<uint8_t>& d2) {
    const uint32_t ref = 12 + (uint32_t)data.v.size();
    if (nextField != (size_t)-1) data.Put32(nextField, ref);
    AddLink(data, prevRef, type, d1, d2, &nextField);
    prevRef = ref;
    return ref;
  };
  for (size_t i = 0; i < topics.size(); i++) {
    topicOffsets.push_back(textOffset);
    Bytes header;
    header.U32(0);                                              // block size (unused)
    header.U32(0xFFFFFFFF);                                     // browse back
    header.U32(0xFFFFFFFF);                                     // browse forward
    header.U32((uint32_t)i);                                    // topic number
    header.U32(0xFFFFFFFF);                                     // non-scrolling region
    header.U32(0xFFFFFFFF);                                     // scrolling region
    header.U32(0xFFFFFFFF);                                     // next topic
    Bytes title;
    title.Str(sjis(topics[i].title));
    lastHeaderRef = link(0x02, header.v, title.v);
    // One text record: the font, then each line as a paragraph.
    Bytes text;
    text.Str("");
    for (const std::string& line : topics[i].lines) text.Str(sjis(line));
    text.Str("");
    const unsigned chars = (unsigned)text.v.size();
    Bytes format;
    format.U16(0x8000 + 2 * chars);  // text size, compressed long (2 bytes, even)
    format.U16(2 * chars + 1);       // text length, compressed ushort (2 bytes, odd)
    format.U32(0);                   // paragraph bytes the viewer skips
    format.U16(0);                   // no paragraph attributes
    format.U8(0x80), format.U16(0);  // font 0
    for (size_t k = 0; k < topics[i].lines.size(); k++) format.U8(0x82);  // end of paragraph
    format.U8(0xFF);
    link(0x20, format.v, text.v);
    textOffset += chars;
  }
  if (data.v.size() + 12 > 4096) {
    std::fprintf(stderr, "qvzmaker: help text does not fit one topic block\n");
    return false;
  }
  Bytes topic;
  topic.U32(prevRef);        // last link
  topic.U32(12);             // first link
  topic.U32(lastHeaderRef);  // last topic header
  topic.Raw(data.v);
  topic.PadTo(4096);  // the viewer copies whole blocks

  Bytes system;
  system.U16(0x036C);
  system.U16(21);  // 3.1
  system.U16(1);
  system.U32(0);   // made on
  system.U16(0);   // uncompressed, 4 KB topic blocks
  const std::string title = sjis("Zenboraのヘルプ");
  system.U16(1), system.U16((unsigned)title.size() + 1), system.Str(title);
  system.U16(11), system.U16(1), system.U8(128);  // Shift-JIS

  Bytes font;
  const std::string face = sjis("ＭＳ Ｐゴシック");
  font.U16(1), font.U16(1), font.U16(8), font.U16(8 + 32);
  std::string f32 = face;
  f32.resize(32, '\0');
  font.v.insert(font.v.end(), f32.begin(), f32.end());
  font.U8(0), font.U8(20), font.U8(3), font.U16(0);  // plain, 10 points, swiss, face 0
  font.U8(0), font.U8(0), font.U8(0), font.U8(0xFF), font.U8(0xFF), font.U8(0xFF);

  // |CONTEXT: hash to topic offset, ordered by the signed hash.
  std::vector<std::pair<int32_t, uint32_t>> contexts;
  for (size_t i = 0; i < topics.size(); i++) contexts.push_back({ContextHash(topics[i].context), topicOffsets[i]});
  std::sort(contexts.begin(), contexts.end());
  Bytes ctx;
  for (auto& c : contexts) ctx.U32((uint32_t)c.first), ctx.U32(c.second);

  // The file: header, the internal files, the directory last.
  const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
      {"|CONTEXT", InternalFile(OneLeafTree("L4", 0x0002, 2048, (unsigned)contexts.size(), ctx.v))},
      {"|FONT", InternalFile(font.v)},
      {"|SYSTEM", InternalFile(system.v)},
      {"|TOPIC", InternalFile(topic.v)},
  };
  Bytes out;
  out.U32(0x00035F3F), out.U32(0), out.U32(0xFFFFFFFF), out.U32(0);
  Bytes dir;
  for (const auto& f : files) {
    dir.Str(f.first);
    dir.U32((uint32_t)out.v.size());
    out.Raw(f.second);
  }
  const uint32_t dirAt = (uint32_t)out.v.size();
  out.Raw(InternalFile(OneLeafTree("z4", 0x0402, 1024, (unsigned)files.size(), dir.v)));
  out.Put32(4, dirAt);
  out.Put32(12, (uint32_t)out.v.size());
  if (!pictal::WriteFileReplacing((programFolder + "/QVZ.HLP").c_str(), out.v.data(), out.v.size())) return false;
  return true;
}
