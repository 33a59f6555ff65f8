#include "render/RendererQueue.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Platform.h"

namespace {

using Sync = RendererFence*;
constexpr GLenum syncGpuCommandsComplete = 0x9117;
constexpr std::uint64_t waitForever = ~std::uint64_t{0};

struct SyncFunctions {
  Sync(APIENTRY* fenceSync)(GLenum, GLbitfield) = nullptr;
  GLenum(APIENTRY* clientWaitSync)(Sync, GLbitfield, std::uint64_t) = nullptr;
  void(APIENTRY* deleteSync)(Sync) = nullptr;

  SyncFunctions() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || !std::strstr(extensions, "GL_ARB_sync")) return;
    fenceSync = reinterpret_cast<decltype(fenceSync)>(platform::glFunction("glFenceSync"));
    clientWaitSync = reinterpret_cast<decltype(clientWaitSync)>(platform::glFunction("glClientWaitSync"));
    deleteSync = reinterpret_cast<decltype(deleteSync)>(platform::glFunction("glDeleteSync"));
    if (!fenceSync || !clientWaitSync || !deleteSync) fenceSync = nullptr;
  }
};

// Looked up once: every context the program makes comes from the same driver.
const SyncFunctions& syncFunctions() {
  static const SyncFunctions functions;
  return functions;
}

}  // namespace

void RendererQueue::DeleteFence::operator()(RendererFence* fence) const { syncFunctions().deleteSync(fence); }

void RendererQueue::flush() {
  const SyncFunctions& sync = syncFunctions();
  unwaitedAtMost = std::max(unwaitedAtMost, trianglesHanded - waitedThrough);
  if (sync.fenceSync) {
    if (Sync fence = sync.fenceSync(syncGpuCommandsComplete, 0)) marks.push_back({{fence, {}}, trianglesHanded});
  }
  glFlush();
  while (!marks.empty() && trianglesHanded - marks.front().handedBefore > mostQueued) {
    sync.clientWaitSync(marks.front().fence.get(), 0, waitForever);
    waitedThrough = marks.front().handedBefore;
    marks.pop_front();
  }
}
