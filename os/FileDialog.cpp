#include "os/FileDialog.h"

#include <deque>
#include <mutex>

#include "os/FactoryHook.h"
#include "os/Lock.h"

namespace os {

namespace {
os::Lock g_mutex;
FactoryHook<FileDialog> g_factory;
std::deque<HeadlessFileDialog::Answer> g_script;
std::vector<HeadlessFileDialog::Asked> g_transcript;
}  // namespace

std::unique_ptr<FileDialog> FileDialog::Create() { return g_factory.Make<HeadlessFileDialog>(); }

void FileDialog::SetFactory(Factory f) { g_factory.Set(std::move(f)); }

void HeadlessFileDialog::Script(Answer answer) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.push_back(std::move(answer));
}

std::vector<HeadlessFileDialog::Asked> HeadlessFileDialog::Transcript() {
  std::lock_guard<os::Lock> g(g_mutex);
  return g_transcript;
}

void HeadlessFileDialog::Reset() {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.clear();
  g_transcript.clear();
}

void HeadlessFileDialog::SelectFileType(int index) {
  std::lock_guard<os::Lock> g(g_mutex);
  if (running_ && record_ < g_transcript.size()) g_transcript[record_].fileTypeAtStart = index;
}

void HeadlessFileDialog::SetSaveFileName(const std::string& name) {
  std::lock_guard<os::Lock> g(g_mutex);
  if (!running_) return;
  reply_.saveFileName = name;
  if (record_ < g_transcript.size()) g_transcript[record_].saveNamesSet.push_back(name);
}

bool HeadlessFileDialog::Run(const Options& options, Client& client) {
  Answer answer;
  {
    std::lock_guard<os::Lock> g(g_mutex);
    if (running_) return false;
    running_ = true;
    record_ = g_transcript.size();
    g_transcript.push_back({options, -1, {}, {}, kActionNone});
    if (!g_script.empty()) {
      answer = std::move(g_script.front());
      g_script.pop_front();
    }
    reply_ = Reply{};
    reply_.saveFileName = options.saveFileName;
  }
  client.OnStart();
  std::vector<std::string> listed;
  for (const auto& [path, isFolder] : answer.browse)
    if (client.OnFilter(path, isFolder)) listed.push_back(path);
  if (answer.fileType >= 0) client.OnFileTypeSelected(answer.fileType);
  {
    std::lock_guard<os::Lock> g(g_mutex);
    if (answer.action != kActionCancel && answer.action != kActionNone) {
      reply_.valid = true;
      reply_.selection = answer.selection;
      if (!answer.saveFileName.empty()) reply_.saveFileName = answer.saveFileName;
    }
    g_transcript[record_].listed = std::move(listed);
    g_transcript[record_].action = answer.action;
  }
  client.OnUserAction(answer.action);
  {
    std::lock_guard<os::Lock> g(g_mutex);
    running_ = false;
  }
  client.OnTerminate();
  return true;
}

}  // namespace os
