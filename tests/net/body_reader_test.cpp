#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "net/body_reader.h"

namespace {

using namespace std::chrono_literals;

// Answers reads from a script: a string is a successful read of its bytes, nullopt a failed read.
// After the script, every read succeeds empty (the end of the body).
class ScriptedSource : public HttpSource {
 public:
  ScriptedSource(std::vector<std::optional<std::string>> script,
                 std::optional<std::uint64_t> declared = std::nullopt)
      : script_(script.begin(), script.end()), declared_(declared) {}

  std::optional<std::uint64_t> DeclaredLength() override { return declared_; }
  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    sizes.push_back(size);
    got = 0;
    if (script_.empty()) return true;
    const std::optional<std::string> step = script_.front();
    script_.pop_front();
    if (!step) return false;
    got = step->size();
    std::memcpy(buffer, step->data(), got);
    return true;
  }

  std::vector<std::size_t> sizes;

 private:
  std::deque<std::optional<std::string>> script_;
  std::optional<std::uint64_t> declared_;
};

struct Outcome {
  bool whole;
  std::string body;
};

Outcome Read(ScriptedSource& source) {
  StringBody sink;
  IdleWatch watch;
  char buffer[16];
  const bool whole = ReadWholeBody(source, buffer, sizeof buffer, sink, watch);
  return {whole, sink.bytes};
}

const std::nullopt_t kFail = std::nullopt;

TEST(ReadWholeBody, TakesEveryByteInChunksUntilAnEmptyRead) {
  ScriptedSource source({std::string("ab\0c", 4), std::string(16, 'x')}, 20);
  const Outcome outcome = Read(source);
  EXPECT_TRUE(outcome.whole);
  EXPECT_EQ(outcome.body, std::string("ab\0c", 4) + std::string(16, 'x'));
  EXPECT_EQ(source.sizes, std::vector<std::size_t>(3, 16));
}

TEST(ReadWholeBody, BodyShorterThanDeclaredIsNotWhole) {
  ScriptedSource cut({"abcd"}, 10);
  EXPECT_FALSE(Read(cut).whole);
  ScriptedSource undeclared({"abcd"});
  EXPECT_TRUE(Read(undeclared).whole);
  ScriptedSource empty({}, 0);
  EXPECT_TRUE(Read(empty).whole);
}

TEST(ReadWholeBody, ReadsThatFailAreRetriedAtMostThreeTimesInARow) {
  ScriptedSource recovering({kFail, kFail, kFail, "x", kFail, kFail, kFail, "y"}, 2);
  const Outcome outcome = Read(recovering);
  EXPECT_TRUE(outcome.whole);
  EXPECT_EQ(outcome.body, "xy");

  ScriptedSource failing({"x", kFail, kFail, kFail, kFail, "y"});
  EXPECT_FALSE(Read(failing).whole);
  EXPECT_EQ(failing.sizes.size(), 5u);
}

TEST(ReadWholeBody, StopsWhenTheSinkRefusesAPart) {
  class RefuseSecond : public BodySink {
   public:
    bool Take(const char*, std::size_t) override { return ++parts < 2; }
    int parts = 0;
  } sink;
  ScriptedSource source({"a", "b", "c"});
  IdleWatch watch;
  char buffer[4];
  EXPECT_FALSE(ReadWholeBody(source, buffer, sizeof buffer, sink, watch));
  EXPECT_EQ(source.sizes.size(), 2u);
}

TEST(ReadWholeBody, ReadsNothingOnceTheCallerHasGivenUp) {
  ScriptedSource source({"a"});
  StringBody sink;
  IdleWatch watch;
  ASSERT_FALSE(watch.WaitForFinish(0ms));
  char buffer[4];
  EXPECT_FALSE(ReadWholeBody(source, buffer, sizeof buffer, sink, watch));
  EXPECT_THAT(source.sizes, testing::IsEmpty());
}

}  // namespace
