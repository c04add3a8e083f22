#pragma once
// Modes of the synthesizer and of the editor's pages. Stored as one byte in
// the image; other values (page families of the editor) pass through as ints.

enum eMode : int {
  eMode_Combi = 0,
  eMode_CombiNoDump = 1,  // combination shown without asking for a dump
  eMode_ProgPlay = 2,
  eMode_ProgEdit = 3,  // what the synthesizer reports for program mode
  eMode_Multi = 4,
  eMode_Global = 6,
  eMode_None = 255,
};
