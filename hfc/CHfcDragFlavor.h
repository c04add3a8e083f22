#pragma once
// Dragged data: a list of typed items (plain bytes or file paths) with a
// drag image. Built by a window from an incoming drag, or by a control that
// starts an outgoing drag with TrackDrag.
#include <cstdint>
#include <string>
#include <vector>

class CHfcOffscreenContext;

class CHfcDragFlavor {
 public:
  // 'FILE': an item that names a file by path.
  static constexpr uint32_t kFileType = 0x46494C45u;

  struct tagFlavorData {
    uint32_t type;
    const void* data;  // not owned: must stay valid while the flavor is used
    int32_t size;
    int32_t index;     // items with one index form one dragged object
    std::string path;  // only for file items
  };

  CHfcDragFlavor() = default;
  ~CHfcDragFlavor();
  CHfcDragFlavor(const CHfcDragFlavor&) = delete;
  CHfcDragFlavor& operator=(const CHfcDragFlavor&) = delete;

  // False when already created or for an image size below 1 x 1.
  bool Create(int width, int height);
  void Destroy();
  bool IsCreated() const { return m_bCreated; }
  int GetImageWidth() const { return m_iImageWidth; }
  int GetImageHeight() const { return m_iImageHeight; }
  CHfcOffscreenContext* GetImage() const { return m_pImage; }
  void SetReceived(bool received) { m_bReceived = received; }
  bool IsReceived() const { return m_bReceived; }

  void ClearData();
  // index -1 stands for the current number of items. False (nothing added)
  // for a negative size or for null data with a size above 0.
  bool AddData(unsigned int type, const void* data, int size, int index);
  bool SetData(unsigned int type, const void* data, int size, int index);
  bool AddFilePath(const std::string& path, int index);

  int GetCount() const { return static_cast<int>(m_items.size()); }
  // Copies item i's bytes to dest, never more than the item holds: at most
  // size bytes. False for an index out of range, null dest or a negative
  // size (dest stays unchanged).
  bool GetData(void* dest, int size) const { return GetData(0, dest, size); }
  bool GetData(int i, void* dest, int size) const;
  bool GetFilePath(int i, std::string* out) const;
  int GetDataSize() const { return GetDataSize(0); }
  int GetDataSize(int i) const;
  unsigned int GetType() const { return GetType(0); }
  unsigned int GetType(int i) const;
  int GetIndex() const { return GetIndex(0); }
  int GetIndex(int i) const;

  // Runs an outgoing drag of the items from the window of the last press;
  // returns the drop action: 0 none, 1 move, 2 copy, 3 link.
  int TrackDrag(int x, int y);

 private:
  CHfcOffscreenContext* m_pImage = nullptr;
  bool m_bReceived = false;
  std::vector<tagFlavorData> m_items;
  bool m_bCreated = false;
  int m_iImageWidth = 0;
  int m_iImageHeight = 0;
};
