// Starts the game's window and the bare one alternately, many times, and
// reports the median time from process start to the first painted frame
// and the median peak resident memory of each, and their ratios. The
// start-up ratio that counts is the median of each round's own ratio: the
// two runs of a round meet nearly the same load on a shared machine, so a
// busy moment moves both and cancels out.
//
// Usage: zimarela_startup_bench ROUNDS GAME_PROBE BARE_PROBE
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double milliseconds = 0;
  long peak_kib = 0;
};

// Runs a probe to its end; returns false if it failed to paint.
bool RunProbe(const char* path, Sample& sample) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);

  char* argv[] = {const_cast<char*>(path), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  if (spawned != 0) {
    close(pipe_fds[0]);
    return false;
  }

  std::string output;
  char buffer[64];
  bool painted = false;
  for (ssize_t n; !painted && (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) {
    output.append(buffer, static_cast<std::size_t>(n));
    painted = output.find("painted") != std::string::npos;
  }
  const auto end = std::chrono::steady_clock::now();
  close(pipe_fds[0]);

  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  sample.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
  sample.peak_kib = usage.ru_maxrss;
  return painted && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
double Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1
             ? static_cast<double>(values[n / 2])
             : (static_cast<double>(values[n / 2 - 1]) + static_cast<double>(values[n / 2])) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fputs("usage: zimarela_startup_bench ROUNDS GAME_PROBE BARE_PROBE\n", stderr);
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[1]));
  const char* probes[2] = {argv[2], argv[3]};
  std::vector<double> times[2];
  std::vector<long> peaks[2];
  std::vector<double> pair_ratios;
  for (int round = 0; round < rounds; ++round) {
    // Alternate which goes first, so neither always meets a warm cache.
    for (int k = 0; k < 2; ++k) {
      const int which = (round + k) % 2;
      Sample sample;
      if (!RunProbe(probes[which], sample)) {
        std::fprintf(stderr, "%s did not paint\n", probes[which]);
        return 1;
      }
      times[which].push_back(sample.milliseconds);
      peaks[which].push_back(sample.peak_kib);
    }
    pair_ratios.push_back(times[0].back() / times[1].back());
  }
  const double game_ms = Median(times[0]);
  const double bare_ms = Median(times[1]);
  const double game_kib = Median(peaks[0]);
  const double bare_kib = Median(peaks[1]);
  std::printf("rounds: %d\n", rounds);
  std::printf("start-up to first paint, median: game %.1f ms, bare %.1f ms, ratio %.3f\n", game_ms,
              bare_ms, game_ms / bare_ms);
  std::printf("start-up, median of the %d per-round ratios game/bare: %.3f\n", rounds,
              Median(pair_ratios));
  std::printf("peak resident memory, median:    game %.0f KiB, bare %.0f KiB, ratio %.3f\n",
              game_kib, bare_kib, game_kib / bare_kib);
  return 0;
}
