#include "media/null_sink.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace shelf::test {
namespace fs = std::filesystem;
namespace {

constexpr int kRecordRate = 8000;

QString Q(const fs::path& path) {
  return QFile::decodeName(path.c_str());
}

}  // namespace

TNullSink::TNullSink(const fs::path& dir) : dir_(dir / "pulse-server") {
  if (!Start(dir_)) {
    // A server that did not come up is not left running.
    Stop(latency_);
    Stop(server_);
  }
}

TNullSink::~TNullSink() {
  for (auto* process : {&recorder_, &latency_, &server_}) Stop(*process);
  unsetenv("PULSE_SERVER");
}

void TNullSink::Stop(std::unique_ptr<QProcess>& process) {
  if (!process) return;
  process->terminate();  // lets parec write out what it has
  if (!process->waitForFinished(3000)) process->kill();
  process->waitForFinished(1000);
  process.reset();
}

std::unique_ptr<QProcess> TNullSink::Launch(const QString& program, const QStringList& arguments) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", Q(dir_));
  env.insert("HOME", Q(dir_ / "home"));
  env.insert("PULSE_SERVER", "unix:" + Q(dir_ / "native"));
  process->setProcessEnvironment(env);
  process->setStandardErrorFile(Q(dir_ / (program.toStdString() + ".log")), QIODevice::Append);
  process->setProgram(program);
  process->setArguments(arguments);
  return process;
}

bool TNullSink::Start(const fs::path& dir) {
  if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
      QStandardPaths::findExecutable("parec").isEmpty()) {
    error_ = "pulseaudio and pulseaudio-utils are not installed";
    return false;
  }
  fs::create_directories(dir / "home");
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
  const fs::path socket = dir / "native";
  server_ = Launch("pulseaudio",
                   {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                    "--load=module-null-sink sink_name=ci_null",
                    "--load=module-native-protocol-unix auth-anonymous=1 socket=" + Q(socket)});
  server_->setStandardOutputFile(QProcess::nullDevice());
  server_->start();
  if (!server_->waitForStarted(5000)) {
    error_ = "pulseaudio did not start";
    return false;
  }
  for (int i = 0; i < 100 && !fs::exists(socket); ++i) QThread::msleep(50);
  if (!fs::exists(socket)) {
    error_ = "pulseaudio made no socket";
    return false;
  }
  setenv("PULSE_SERVER", ("unix:" + socket.string()).c_str(), 1);
  // One client at low latency keeps the sink running steadily; it plays silence.
  latency_ = Launch("pacat", {"--latency-msec=10", "--raw", "--format=s16le", "--channels=1",
                              "--rate=8000", "/dev/zero"});
  latency_->start();
  if (!latency_->waitForStarted(5000)) {
    error_ = "pacat did not start";
    return false;
  }
  QThread::msleep(300);  // warm up
  return true;
}

void TNullSink::KillServer() {
  for (auto* process : {&latency_, &server_}) {
    if (!*process) continue;
    (*process)->kill();
    (*process)->waitForFinished(3000);
    process->reset();
  }
}

bool TNullSink::RestartServer() {
  KillServer();
  std::error_code ignored;
  fs::remove(dir_ / "native", ignored);  // a killed server leaves its socket behind
  if (Start(dir_)) return true;
  Stop(latency_);
  Stop(server_);
  return false;
}

void TNullSink::StartRecording() {
  recorder_ = Launch("parec", {"-d", "ci_null.monitor", "--raw", "--format=s16le", "--channels=1",
                               "--rate=" + QString::number(kRecordRate), "--latency-msec=10"});
  recorder_->setStandardOutputFile(Q(dir_ / "recording.raw"));
  recorder_->start();
  recorder_->waitForStarted(5000);
  // The recorder may take a while to connect on a loaded machine: it counts as recording once it
  // has written 0.1 s of the sink, however long that takes (a few seconds at most).
  const fs::path recording = dir_ / "recording.raw";
  constexpr std::uintmax_t kLead = kRecordRate * 2 / 10;
  const auto recorded = [&] {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(recording, error);
    return error ? 0 : size;
  };
  for (int i = 0; i < 300 && recorded() < kLead; ++i) QThread::msleep(10);
}

std::vector<double> TNullSink::StopRecording(std::chrono::milliseconds window) {
  Stop(recorder_);
  std::ifstream in(dir_ / "recording.raw", std::ios::binary);
  std::vector<std::int16_t> samples;
  std::int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), 2)) samples.push_back(sample);
  const std::size_t size = static_cast<std::size_t>(kRecordRate * window.count() / 1000);
  std::vector<double> levels;
  for (std::size_t at = 0; at + size <= samples.size(); at += size) {
    double sum = 0;
    for (std::size_t i = at; i < at + size; ++i) sum += double(samples[i]) * samples[i];
    levels.push_back(std::sqrt(sum / double(size)) / 32768.0);
  }
  return levels;
}

int FirstLoud(const std::vector<double>& levels, double threshold) {
  for (std::size_t i = 0; i < levels.size(); ++i)
    if (levels[i] > threshold) return static_cast<int>(i);
  return -1;
}

}  // namespace shelf::test
