// What a test asks the system of this process's files: how many it holds open, and a cap on how
// much it may write, which stands for a full disk.
#pragma once

#include <cstddef>
#include <functional>

namespace vex::testing {

// How many files (Windows: handles of any kind) this process holds open.
long open_files();

// Runs `action` with every file this process writes capped at `bytes`, so that writing a file
// fails the way it does on a full disk (root ignores permission bits, not this limit). False,
// with `action` not run, where the system has no such cap (Windows).
[[nodiscard]] bool with_full_disk(std::size_t bytes, const std::function<void()>& action);

}  // namespace vex::testing
