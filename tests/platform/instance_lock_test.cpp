#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/cp1251.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

// Another process that takes the lock for a name and holds it until it is killed.
class HoldingProcess {
 public:
  explicit HoldingProcess(const std::string& name) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      alarm(60);  // never outlive a test that failed to kill it
      TInstanceLock lock(name);
      const char answer = lock.TryAcquire() ? '1' : '0';
      if (write(fds[1], &answer, 1) == 1)
        for (;;) pause();
      _exit(1);
    }
    close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    if (pid_ > 0 && poll(&ready, 1, 10000) == 1 && read(fds[0], &answer_, 1) != 1) answer_ = 0;
    close(fds[0]);
  }
  ~HoldingProcess() { Kill(); }

  bool Holds() const { return answer_ == '1'; }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  char answer_ = 0;
};

class InstanceLockTest : public test::IsolatedTest {};

TEST_F(InstanceLockTest, AnotherProcessHoldsTheNameUntilItIsKilled) {
  const std::string title = Cp("Руководство по ремонту");
  HoldingProcess holder(title);
  ASSERT_TRUE(holder.Holds());

  TInstanceLock second(title);
  EXPECT_FALSE(second.TryAcquire());
  // Names are compared exactly; any other name is free.
  for (const std::string& other : {Cp("руководство по ремонту"), title + " ", Cp("Тезаурус"),
                                   std::string(), std::string("../../") + title}) {
    TInstanceLock lock(other);
    EXPECT_TRUE(lock.TryAcquire()) << Cp1251ToUtf8(other);
  }

  holder.Kill();
  EXPECT_TRUE(second.TryAcquire());
  for (const auto& entry : fs::recursive_directory_iterator(Dir()))
    if (!entry.is_directory())
      EXPECT_EQ(entry.path().parent_path(), Dir() / "XDG_RUNTIME_DIR" / "shelf");
}

TEST_F(InstanceLockTest, ReleasedWhenTheHolderIsDestroyed) {
  const std::string title = Cp("Тезаурус");
  {
    TInstanceLock first(title);
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_TRUE(first.TryAcquire());
    EXPECT_FALSE(TInstanceLock(title).TryAcquire());
  }
  EXPECT_TRUE(TInstanceLock(title).TryAcquire());
}

TEST_F(InstanceLockTest, AnEmptyNameExcludesNobody) {
  TInstanceLock first("");
  ASSERT_TRUE(first.TryAcquire());
  EXPECT_TRUE(TInstanceLock("").TryAcquire());
}

// Without a usable lock folder nobody can be shown to hold the name: the book still opens.
TEST_F(InstanceLockTest, AnUnusableLockFolderDoesNotStopTheBook) {
  const fs::path runtime = Dir() / "XDG_RUNTIME_DIR";
  fs::create_directory(Dir() / "elsewhere");
  fs::create_directory_symlink(Dir() / "elsewhere", runtime / "shelf");
  TInstanceLock lock("book");
  EXPECT_TRUE(lock.TryAcquire());
  EXPECT_TRUE(fs::is_empty(Dir() / "elsewhere"));
}

}  // namespace
}  // namespace shelf
