// Work on many items spread over a few threads: each call of the system the
// work makes (an open, a listing) waits for the system, and under Wine for
// its server process; several threads overlap those waits and whatever each
// reads itself.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace core {

// Calls work(i) for each i below count on up to four threads (the calling
// one among them), each taking the next few in turn; returns when all are
// done. work must touch nothing shared but its own slot of what it fills.
template <typename Work>
void OnThreads(size_t count, const Work& work) {
  constexpr size_t kPiece = 16;
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  const size_t processors = system.dwNumberOfProcessors > 0 ? system.dwNumberOfProcessors : 1;
  const size_t wanted = std::min<size_t>({4, processors, (count + kPiece - 1) / kPiece});
  struct Shared {
    const Work* work;
    size_t count;
    volatile LONG next;
    static DWORD WINAPI Run(void* p) {
      auto* self = static_cast<Shared*>(p);
      for (;;) {
        const size_t first = static_cast<size_t>(InterlockedExchangeAdd(&self->next, static_cast<LONG>(kPiece)));
        if (first >= self->count) return 0;
        for (size_t i = first; i < first + kPiece && i < self->count; ++i) (*self->work)(i);
      }
    }
  } shared{&work, count, 0};
  std::vector<HANDLE> threads;
  for (size_t t = 1; t < wanted; ++t) {
    HANDLE h = CreateThread(nullptr, 64 * 1024, &Shared::Run, &shared, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (h) threads.push_back(h);
  }
  Shared::Run(&shared);
  if (!threads.empty()) WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
  for (HANDLE h : threads) CloseHandle(h);
}

} // namespace core
