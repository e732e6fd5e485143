// A private PulseAudio server with one null sink for the tests of sound: what the program plays
// goes there, and a recording of the sink's monitor tells what was really heard.
#pragma once

#include <QProcess>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace shelf::test {

class TNullSink {
 public:
  // Starts the server in `dir` and points this process's sound clients at it (PULSE_SERVER).
  explicit TNullSink(const std::filesystem::path& dir);
  // Stops the recorder, the latency client and the server, each by its own process.
  ~TNullSink();

  // Empty when the server runs; else why not.
  const std::string& Error() const { return error_; }

  // The server dies as a crash would end it (its clients see the connection drop), and later
  // comes back at the same address; false when it does not.
  void KillServer();
  bool RestartServer();

  // Returns once the recorder has the sink's first 0.1 s.
  void StartRecording();
  // Stops the recording and returns the level (RMS, 0..1) of each `window` of it.
  std::vector<double> StopRecording(std::chrono::milliseconds window);

 private:
  bool Start(const std::filesystem::path& dir);
  // Ends one of the processes by its own id, gently first.
  static void Stop(std::unique_ptr<QProcess>& process);
  std::unique_ptr<QProcess> Launch(const QString& program, const QStringList& arguments);

  std::filesystem::path dir_;
  std::string error_;
  std::unique_ptr<QProcess> server_;
  std::unique_ptr<QProcess> latency_;
  std::unique_ptr<QProcess> recorder_;
};

// Index of the first level above `threshold`, or -1.
int FirstLoud(const std::vector<double>& levels, double threshold);

}  // namespace shelf::test
