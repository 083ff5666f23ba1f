// BlockReader: typed reads of the members of one block of a level entry, with
// the level format's conversions (a missing member or null reads as 0, false or
// the empty string; bools and numbers convert into each other; a negative
// number is no unsigned integer).
// Invariant: no read ever throws. The first conversion that fails is kept, with
// the member's dotted path and the JSON library's reason, and every later read
// returns a zero value; the caller checks Failed() once the block has been read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <json/value.h>

#include "engine/Vec2.h"

namespace Framework {

class BlockReader {
 public:
  // `path` names the block in messages, e.g. "Transform".
  BlockReader(const Json::Value& block, std::string path);

  float Float(const char* key);
  bool Bool(const char* key);
  std::uint32_t UInt(const char* key);
  std::string String(const char* key);
  // An {"X", "Y"} object.
  Vec2 XY(const char* key);
  // A nested block; shares this reader's error record.
  BlockReader Child(const char* key);

  bool Failed() const { return !error_->Reason.empty(); }
  // The dotted path of the member that failed ("Transform.Position.X").
  const std::string& FailedKey() const { return error_->Key; }
  const std::string& FailureReason() const { return error_->Reason; }

 private:
  struct Error {
    std::string Key;
    std::string Reason;
  };
  BlockReader(const Json::Value& block, std::string path, std::shared_ptr<Error> error);
  // The member, or null when it cannot be reached (the failure is recorded).
  const Json::Value* Member(const char* key);
  void Fail(const char* key, const std::string& reason);

  const Json::Value& block_;
  std::string path_;
  std::shared_ptr<Error> error_;
};

}  // namespace Framework
