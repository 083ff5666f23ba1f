#include "levels/BlockReader.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include <json/value.h>

namespace Framework {

namespace {

const Json::Value& NullValue() {
  static const Json::Value null;
  return null;
}

}  // namespace

BlockReader::BlockReader(const Json::Value& block, std::string path)
    : BlockReader(block, std::move(path), std::make_shared<Error>()) {}

BlockReader::BlockReader(const Json::Value& block, std::string path, std::shared_ptr<Error> error)
    : block_(block), path_(std::move(path)), error_(std::move(error)) {}

void BlockReader::Fail(const char* key, const std::string& reason) {
  if (Failed()) return;
  error_->Key = path_ + "." + key;
  error_->Reason = reason.empty() ? "unreadable value" : reason;
}

const Json::Value* BlockReader::Member(const char* key) {
  if (Failed()) return nullptr;
  try {
    // The const lookup never creates the member; on a scalar block it throws.
    return &block_[key];
  } catch (const Json::Exception& e) {
    Fail(key, e.what());
    return nullptr;
  }
}

float BlockReader::Float(const char* key) {
  const Json::Value* member = Member(key);
  if (!member) return 0.0f;
  try {
    if (member->isDouble() && std::fabs(member->asDouble()) > static_cast<double>(FLT_MAX)) {
      // Narrowing would give infinity, which no position or speed survives.
      Fail(key, "number out of 32-bit float range");
      return 0.0f;
    }
    return member->asFloat();
  } catch (const Json::Exception& e) {
    Fail(key, e.what());
    return 0.0f;
  }
}

bool BlockReader::Bool(const char* key) {
  const Json::Value* member = Member(key);
  if (!member) return false;
  try {
    return member->asBool();
  } catch (const Json::Exception& e) {
    Fail(key, e.what());
    return false;
  }
}

std::uint32_t BlockReader::UInt(const char* key) {
  const Json::Value* member = Member(key);
  if (!member) return 0;
  // Counts and method numbers are whole and never negative; say so in the game's words.
  if (member->isNumeric() && !member->isConvertibleTo(Json::uintValue)) {
    Fail(key, "expected a whole number from 0 to 4294967295");
    return 0;
  }
  try {
    return member->asUInt();
  } catch (const Json::Exception& e) {
    Fail(key, e.what());
    return 0;
  }
}

std::string BlockReader::String(const char* key) {
  const Json::Value* member = Member(key);
  if (!member) return {};
  try {
    return member->asString();
  } catch (const Json::Exception& e) {
    Fail(key, e.what());
    return {};
  }
}

Vec2 BlockReader::XY(const char* key) {
  BlockReader pair = Child(key);
  const float x = pair.Float("X");
  const float y = pair.Float("Y");
  return {x, y};
}

BlockReader BlockReader::Child(const char* key) {
  const Json::Value* member = Member(key);
  return BlockReader(member ? *member : NullValue(), path_ + "." + key, error_);
}

}  // namespace Framework
