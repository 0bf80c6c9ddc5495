#pragma once

#include <chrono>
#include <functional>

// Runs `work` on a thread of its own while the calling thread goes on with its events, so that the
// windows repaint, move and take commands meanwhile; `tick` runs on the calling thread every `interval`.
// Returns once the work has ended, and throws what the work threw. When the application is told to
// quit meanwhile, `stop` is called and the work is waited for without events.
void run_beside_events(const std::function<void()>& work, const std::function<void()>& tick,
                       std::chrono::milliseconds interval, const std::function<void()>& stop);
