// The colour grid's pure rules: the cell a value opens on and the arrow keys' moves.
#include <gtest/gtest.h>

#include <memory>

#include "jvqColorCells.h"
#include "jvqGradientFill.h"
#include "jvqSolidFill.h"

#ifndef VK_LEFT
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#endif

namespace {

TEST(ColorCells, TheCellAValueOpensOn) {
  EXPECT_EQ(9, jvqInitialColorCell(std::make_unique<jvqSolidFill>(0x2068FF).get(), TRUE, FALSE));
  EXPECT_EQ(0, jvqInitialColorCell(std::make_unique<jvqSolidFill>(0x000000).get(), TRUE, FALSE));
  EXPECT_EQ(39, jvqInitialColorCell(std::make_unique<jvqSolidFill>(0xFFFFFF).get(), FALSE, FALSE));
  jvqSolidFill unknown(0x123456);
  EXPECT_EQ(COLORCELL_CUSTOM, jvqInitialColorCell(&unknown, TRUE, FALSE));
  EXPECT_EQ(COLORCELL_NONE, jvqInitialColorCell(&unknown, FALSE, TRUE));
  jvqGradientFill g;
  EXPECT_EQ(COLORCELL_TEXT, jvqInitialColorCell(&g, TRUE, TRUE));
  EXPECT_EQ(COLORCELL_NONE, jvqInitialColorCell(&g, TRUE, FALSE));
  EXPECT_EQ(COLORCELL_NONE, jvqInitialColorCell(NULL, TRUE, TRUE));
  EXPECT_EQ(40, (int)(sizeof(theColorCells) / sizeof(theColorCells[0])));
  EXPECT_STREQ("Pale green ", theColorCells[35].pszName);
}

TEST(ColorCells, KeyTable) {
  const int C = COLORCELL_CUSTOM, T = COLORCELL_TEXT, N = COLORCELL_NONE;
  struct Case { UINT key; int from; BOOL custom, text; int want; } cases[] = {
      // Colour cells.
      {VK_LEFT, 10, TRUE, FALSE, 9},   {VK_LEFT, 8, TRUE, FALSE, 7},    {VK_LEFT, 0, TRUE, TRUE, C},
      {VK_LEFT, 0, FALSE, TRUE, T},    {VK_LEFT, 0, FALSE, FALSE, 39},  {VK_UP, 12, TRUE, FALSE, 4},
      {VK_UP, 3, TRUE, FALSE, C},      {VK_UP, 3, FALSE, TRUE, T},      {VK_UP, 3, FALSE, FALSE, 39},
      {VK_RIGHT, 7, TRUE, FALSE, 8},   {VK_RIGHT, 39, TRUE, FALSE, C},  {VK_RIGHT, 39, TRUE, TRUE, T},
      {VK_RIGHT, 39, FALSE, FALSE, 0}, {VK_DOWN, 5, TRUE, FALSE, 13},   {VK_DOWN, 33, TRUE, TRUE, T},
      {VK_DOWN, 33, TRUE, FALSE, C},   {VK_DOWN, 33, FALSE, FALSE, 0},
      // The custom cell.
      {VK_LEFT, C, TRUE, TRUE, T},     {VK_UP, C, TRUE, FALSE, 39},     {VK_RIGHT, C, TRUE, TRUE, 0},
      {VK_DOWN, C, TRUE, FALSE, 0},
      // The text cell.
      {VK_LEFT, T, TRUE, TRUE, 39},    {VK_UP, T, FALSE, TRUE, 39},     {VK_RIGHT, T, TRUE, TRUE, C},
      {VK_DOWN, T, FALSE, TRUE, 0},
      // No current cell: Left and Up as from cell 0, Right and Down as past cell 39.
      {VK_LEFT, N, TRUE, FALSE, C},    {VK_UP, N, FALSE, FALSE, 39},    {VK_RIGHT, N, TRUE, FALSE, C},
      {VK_DOWN, N, FALSE, TRUE, T},    {VK_RIGHT, N, FALSE, FALSE, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.want, jvqMoveColorCell(c.key, c.from, c.custom, c.text))
        << "key " << c.key << " from " << c.from << " custom " << c.custom << " text " << c.text;
}

}  // namespace
