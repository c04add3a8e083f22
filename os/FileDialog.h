#pragma once
// The system's open and save file dialogs. The framework describes the
// dialog in Options and hears it through a Client: start, a choice in the
// file-type pop-up, the browser's filter, the user's action and the end.
// The headless form answers from a script that tests fill and keeps a
// transcript of what was asked; a drawn form can be installed through
// SetFactory.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace os {

class FileDialog {
 public:
  enum class Kind { kOpen, kSave };
  // Modality numbers as the framework keeps them.
  static constexpr int kApplicationModal = 2;
  static constexpr int kSheet = 3;
  // User actions as the framework numbers them.
  static constexpr int kActionNone = 0;
  static constexpr int kActionCancel = 1;
  static constexpr int kActionOpen = 2;
  static constexpr int kActionSaveAs = 3;
  static constexpr int kActionChoose = 4;

  struct Options {
    Kind kind = Kind::kOpen;
    uint32_t flags = 0;
    std::string clientName;
    std::string title;
    std::string message;
    std::string saveFileName;            // proposed name (save)
    std::vector<std::string> fileTypes;  // names in the file-type pop-up
    std::vector<uint32_t> filterTypes;   // four-character file types listed
    uint32_t saveFileType = 0;
    int modality = kApplicationModal;
    void* parentWindow = nullptr;
  };

  struct Reply {
    bool valid = false;
    std::vector<std::string> selection;  // chosen files (save: the folder)
    std::string saveFileName;            // typed name (save)
  };

  class Client {
   public:
    virtual ~Client() = default;
    virtual void OnStart() {}
    virtual void OnFileTypeSelected(int index) {}
    virtual bool OnFilter(const std::string& path, bool isFolder) { return true; }
    virtual void OnUserAction(int action) {}
    // Last call of a run. The client may destroy the dialog here, so the
    // dialog touches nothing of itself after it.
    virtual void OnTerminate() {}
  };

  virtual ~FileDialog() = default;
  // Shows the dialog; false when it cannot be shown.
  virtual bool Run(const Options& options, Client& client) = 0;
  // While it runs: select a pop-up entry, replace the typed save name.
  virtual void SelectFileType(int index) = 0;
  virtual void SetSaveFileName(const std::string& name) = 0;
  virtual Reply GetReply() const = 0;

  using Factory = std::function<std::unique_ptr<FileDialog>()>;
  static std::unique_ptr<FileDialog> Create();
  static void SetFactory(Factory f);  // empty: back to the headless form
};

class HeadlessFileDialog : public FileDialog {
 public:
  struct Answer {
    int action = kActionCancel;
    std::vector<std::string> selection;
    int fileType = -1;         // pop-up entry the user picks first; -1 none
    std::string saveFileName;  // typed name; empty keeps the proposed one
    // Items that the browser would list, with their folder flag.
    std::vector<std::pair<std::string, bool>> browse;
  };
  struct Asked {
    Options options;
    int fileTypeAtStart = -1;          // entry selected by the framework at start
    std::vector<std::string> listed;   // browse items the filter let through
    std::vector<std::string> saveNamesSet;
    int action = kActionNone;
  };

  // Answers for the next dialogs in order; a dialog without one is cancelled.
  static void Script(Answer answer);
  static std::vector<Asked> Transcript();
  static void Reset();

  bool Run(const Options& options, Client& client) override;
  void SelectFileType(int index) override;
  void SetSaveFileName(const std::string& name) override;
  Reply GetReply() const override { return reply_; }

 private:
  size_t record_ = 0;  // index of this run in the transcript
  bool running_ = false;
  Reply reply_;
};

}  // namespace os
