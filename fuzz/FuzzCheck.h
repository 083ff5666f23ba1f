// Shared by the fuzz targets: FUZZ_CHECK stops the run, naming the property that
// failed, when the code under test breaks one of its promises (libFuzzer then keeps
// the input); CapturedOutput keeps the game's diagnostic lines, which every damaged
// input prints, out of the fuzzer's own output and lets the target read them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#define FUZZ_CHECK(condition)                                                                        \
  do {                                                                                               \
    if (!(condition)) {                                                                              \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);      \
      std::abort();                                                                                  \
    }                                                                                                \
  } while (false)

namespace Framework {

class CapturedOutput {
 public:
  CapturedOutput() : out_(std::cout.rdbuf(text_.rdbuf())), err_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~CapturedOutput() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* out_;
  std::streambuf* err_;
};

}  // namespace Framework
