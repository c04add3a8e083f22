#include "hfc/CHfcDragFlavor.h"

#include <algorithm>
#include <cstring>

#include "os/window/Window.h"

CHfcDragFlavor::~CHfcDragFlavor() { Destroy(); }

bool CHfcDragFlavor::Create(int width, int height) {
  if (m_bCreated || width < 1 || height < 1) return false;
  m_items.clear();
  m_bReceived = false;
  m_iImageWidth = width;
  m_iImageHeight = height;
  m_bCreated = true;
  return true;
}

void CHfcDragFlavor::Destroy() {
  if (!m_bCreated) return;
  m_items.clear();
  m_iImageWidth = 0;
  m_iImageHeight = 0;
  m_bCreated = false;
}

void CHfcDragFlavor::ClearData() { m_items.clear(); }

bool CHfcDragFlavor::AddData(unsigned int type, const void* data, int size, int index) {
  if (size < 0 || (!data && size > 0)) return false;
  if (index == -1) index = GetCount();
  m_items.push_back({type, data, size, index, std::string()});
  return true;
}

bool CHfcDragFlavor::SetData(unsigned int type, const void* data, int size, int index) {
  if (size < 0 || (!data && size > 0)) return false;
  ClearData();
  return AddData(type, data, size, index);
}

bool CHfcDragFlavor::AddFilePath(const std::string& path, int index) {
  if (index == -1) index = GetCount();
  m_items.push_back({kFileType, nullptr, 0, index, path});
  return true;
}

bool CHfcDragFlavor::GetData(int i, void* dest, int size) const {
  if (i < 0 || i >= GetCount() || !dest || size < 0) return false;
  const tagFlavorData& item = m_items[i];
  const int n = std::min(size, item.size);
  if (n > 0) std::memcpy(dest, item.data, static_cast<size_t>(n));
  return true;
}

bool CHfcDragFlavor::GetFilePath(int i, std::string* out) const {
  if (i < 0 || i >= GetCount() || !out) return false;
  *out = m_items[i].path;
  return true;
}

int CHfcDragFlavor::GetDataSize(int i) const {
  return (i >= 0 && i < GetCount()) ? m_items[i].size : 0;
}

unsigned int CHfcDragFlavor::GetType(int i) const {
  return (i >= 0 && i < GetCount()) ? m_items[i].type : 0;
}

int CHfcDragFlavor::GetIndex(int i) const {
  return (i >= 0 && i < GetCount()) ? m_items[i].index : 0;
}

int CHfcDragFlavor::TrackDrag(int x, int y) {
  if (m_bReceived || !m_bCreated || m_items.empty()) return 0;
  os::Window* window = os::Window::LastPressed();
  if (!window) return 0;
  std::vector<os::DragItem> items;
  items.reserve(m_items.size());
  for (const tagFlavorData& item : m_items) {
    os::DragItem out;
    out.type = item.type;
    out.index = item.index;
    if (item.size > 0)
      out.data.assign(static_cast<const uint8_t*>(item.data),
                      static_cast<const uint8_t*>(item.data) + item.size);
    out.path = item.path;
    items.push_back(std::move(out));
  }
  const uint32_t actions = window->RunDrag(items, x, y);
  // Copy wins over move, move over link.
  if (actions & os::kDragActionCopy) return 2;
  if (actions & os::kDragActionMove) return 1;
  if (actions & os::kDragActionLink) return 3;
  return 0;
}
