#include "access/telvane_library.h"

#include <dlfcn.h>

#include <mutex>
#include <string>
#include <system_error>

namespace zel::access {
namespace {

struct LibraryState {
  std::mutex mutex;
  int useCount = 0;
  void* handle = nullptr;
  std::filesystem::path pathOverride;
};

LibraryState& State() {
  static LibraryState state;
  return state;
}

std::filesystem::path ProgramDirectory() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : exe.parent_path();
}

void* Open(const std::filesystem::path& pathOverride) {
  if (!pathOverride.empty()) return dlopen(pathOverride.c_str(), RTLD_NOW | RTLD_LOCAL);
  for (const auto& candidate : LibraryCandidates()) {
    // A name without a directory makes dlopen search the normal path; one with a directory
    // must exist there.
    if (candidate.has_parent_path() && !std::filesystem::exists(candidate)) continue;
    if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
  }
  return nullptr;
}

ResolvedExports Resolve(void* handle) {
  ResolvedExports exports;
  for (std::size_t i = 0; i < kExportCount; ++i) {
    const std::string name(kExportNames[i]);
    void* function = dlsym(handle, name.c_str());
    if (function == nullptr) break;
    exports.functions[i] = function;
    exports.resolved = i + 1;
  }
  return exports;
}

}  // namespace

std::vector<std::filesystem::path> LibraryCandidates() {
  std::vector<std::filesystem::path> candidates;
  const auto directory = ProgramDirectory();
  if (!directory.empty()) candidates.push_back(directory / kTelvaneLibraryName);
  candidates.emplace_back(kTelvaneLibraryName);
  return candidates;
}

LibraryUse AcquireLibrary() {
  auto& state = State();
  std::lock_guard guard(state.mutex);
  ++state.useCount;
  if (state.handle == nullptr) state.handle = Open(state.pathOverride);
  if (state.handle == nullptr) return {};
  return {true, Resolve(state.handle)};
}

void ReleaseLibrary() {
  auto& state = State();
  std::lock_guard guard(state.mutex);
  if (state.useCount == 0) return;
  if (--state.useCount == 0 && state.handle != nullptr) {
    dlclose(state.handle);
    state.handle = nullptr;
  }
}

int LibraryUseCount() {
  auto& state = State();
  std::lock_guard guard(state.mutex);
  return state.useCount;
}

bool LibraryLoaded() {
  auto& state = State();
  std::lock_guard guard(state.mutex);
  return state.handle != nullptr;
}

void SetLibraryPathOverride(std::filesystem::path path) {
  auto& state = State();
  std::lock_guard guard(state.mutex);
  state.pathOverride = std::move(path);
}

}  // namespace zel::access
