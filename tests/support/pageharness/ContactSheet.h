#pragma once
// Pictures of views laid out in rows on one sheet, for a person to look at:
// a gap around each, in the sheet's colour.
//
//   ContactSheet sheet(4, 8, 0xFF24262Bu);
//   sheet.Add(*h.window().GetPicture()->GetBmp(), 850, 400);
//   EXPECT_TRUE(sheet.Write(PageHarness::RenderDir() + "/x_sheet.png"));
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CHfcBmp;

namespace vesk::test {

class ContactSheet {
 public:
  ContactSheet(int columns, int gap, uint32_t background)
      : columns_(columns), gap_(gap), background_(background) {}

  // The top-left w x h pixels of a picture, opaque; halved, the picture's
  // top-left 2w x 2h, each pixel the mean of a 2 x 2 block. The sheet's
  // cells take the size of its first shot.
  void Add(CHfcBmp& picture, int w, int h, bool halved = false);
  size_t size() const { return shots_.size(); }

  // Writes the shots as a PNG and starts the sheet anew; false when the
  // file could not be written.
  bool Write(const std::string& path);

 private:
  struct Shot {
    int w;
    int h;
    std::vector<uint32_t> pixels;
  };
  int columns_;
  int gap_;
  uint32_t background_;
  std::vector<Shot> shots_;
};

}  // namespace vesk::test
