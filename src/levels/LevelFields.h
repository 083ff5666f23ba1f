// LevelFields: one list per component that says, member by member, how its block
// in a level file is read and how it is written back. The reader and the writer
// both walk the same list, so they cannot drift apart.
//
// A field is a key, a codec (how one value sits in JSON) and where the value goes:
//   Member<Transform>("Rotation", &Transform::Rotation)                    plain member
//   Member<Body>("Friction", &Body::Friction, BlockOf(FrictionFields()))   nested block
//   Property<Platform>("Delay", &Platform::GetDelay, &Platform::SetDelay)  through a setter
// Codecs: Plain<V> for float, bool, uint32 (written as a JSON integer), string,
// Vec2 (XY), Vec3 (XYZ), Color3 (RGB); BlockOf(list) for a struct with its own
// field list; PairOf(codec) for {"Low", "High"}; ChannelsOf<N>(codec) for a map
// keyed "0".."N-1". Codecs nest, and PairedMember puts the pair inside each
// member of a two-sided struct ("Decay": {"Low": b, "High": b}).
//
// Invariant: reading never touches a component. It only records, in list order,
// what to store once the component exists, so a broken block costs nothing; the
// stores (setters included) then run in list order. Every listed member is read
// (a missing one reads as zero, false or ""), and floats are written as doubles,
// always finite.
#pragma once

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <json/value.h>

#include "engine/Events.h"
#include "engine/Vec2.h"
#include "engine/Vec3.h"
#include "levels/BlockReader.h"
#include "objects/GameObject.h"

namespace Framework {

// Plain values ------------------------------------------------------------------

template <class V>
struct Plain;

template <>
struct Plain<float> {
  using Value = float;
  float Read(BlockReader& block, const char* key) const { return block.Float(key); }
  // A live value can run off to infinity or NaN (a level with extreme settings).
  // JSON has no such numbers and the reader refuses what the writer puts for them,
  // so the save keeps the nearest float instead and always loads.
  Json::Value Write(float value) const {
    if (std::isnan(value)) value = 0.0f;
    return Json::Value(static_cast<double>(std::clamp(value, -FLT_MAX, FLT_MAX)));
  }
};

template <>
struct Plain<bool> {
  using Value = bool;
  bool Read(BlockReader& block, const char* key) const { return block.Bool(key); }
  Json::Value Write(bool value) const { return Json::Value(value); }
};

template <>
struct Plain<std::uint32_t> {
  using Value = std::uint32_t;
  std::uint32_t Read(BlockReader& block, const char* key) const { return block.UInt(key); }
  Json::Value Write(std::uint32_t value) const { return Json::Value(static_cast<Json::UInt>(value)); }
};

template <>
struct Plain<std::string> {
  using Value = std::string;
  std::string Read(BlockReader& block, const char* key) const { return block.String(key); }
  Json::Value Write(const std::string& value) const { return Json::Value(value); }
};

template <>
struct Plain<Vec2> {
  using Value = Vec2;
  Vec2 Read(BlockReader& block, const char* key) const { return block.XY(key); }
  Json::Value Write(Vec2 value) const {
    Json::Value xy(Json::objectValue);
    xy["X"] = Plain<float>().Write(value.x);
    xy["Y"] = Plain<float>().Write(value.y);
    return xy;
  }
};

template <>
struct Plain<Vec3> {
  using Value = Vec3;
  Vec3 Read(BlockReader& block, const char* key) const {
    BlockReader xyz = block.Child(key);
    Vec3 v;
    v.x = xyz.Float("X");
    v.y = xyz.Float("Y");
    v.z = xyz.Float("Z");
    return v;
  }
  Json::Value Write(Vec3 value) const {
    Json::Value xyz(Json::objectValue);
    xyz["X"] = Plain<float>().Write(value.x);
    xyz["Y"] = Plain<float>().Write(value.y);
    xyz["Z"] = Plain<float>().Write(value.z);
    return xyz;
  }
};

template <>
struct Plain<Color3> {
  using Value = Color3;
  Color3 Read(BlockReader& block, const char* key) const {
    BlockReader rgb = block.Child(key);
    Color3 color;
    color.R = rgb.Float("R");
    color.G = rgb.Float("G");
    color.B = rgb.Float("B");
    return color;
  }
  Json::Value Write(Color3 value) const {
    Json::Value rgb(Json::objectValue);
    rgb["R"] = Plain<float>().Write(value.R);
    rgb["G"] = Plain<float>().Write(value.G);
    rgb["B"] = Plain<float>().Write(value.B);
    return rgb;
  }
};

// Fields ------------------------------------------------------------------------

// One member of a block of type S (a component or a nested struct).
template <class S>
struct Field {
  std::string Key;
  // Reads the member now and returns the store to run on the target later.
  std::function<std::function<void(S&)>(BlockReader&)> Read;
  std::function<Json::Value(const S&)> Write;
};

template <class S>
using FieldList = std::vector<Field<S>>;

// A value stored through any getter and setter (member functions or lambdas).
template <class S, class Get, class Set, class Codec>
Field<S> Property(std::string key, Get get, Set set, Codec codec) {
  using V = typename Codec::Value;
  Field<S> field;
  field.Key = key;
  field.Read = [key, set, codec](BlockReader& block) -> std::function<void(S&)> {
    V value = codec.Read(block, key.c_str());
    return [set, value = std::move(value)](S& target) { std::invoke(set, target, value); };
  };
  field.Write = [get, codec](const S& source) { return codec.Write(std::invoke(get, source)); };
  return field;
}

template <class S, class Get, class Set>
Field<S> Property(std::string key, Get get, Set set) {
  using V = std::remove_cvref_t<std::invoke_result_t<Get, const S&>>;
  return Property<S>(std::move(key), get, set, Plain<V>());
}

// A data member of S (or of a base class of S).
template <class S, class V, class Base, class Codec = Plain<V>>
  requires std::is_base_of_v<Base, S>
Field<S> Member(std::string key, V Base::*member, Codec codec = {}) {
  return Property<S>(
      std::move(key), [member](const S& source) -> const V& { return source.*member; },
      [member](S& target, const V& value) { target.*member = value; }, codec);
}

// Composite codecs ---------------------------------------------------------------

// A nested block read into a fresh S; members its list leaves out keep S's defaults.
template <class S>
struct BlockOf {
  using Value = S;
  const FieldList<S>* Fields;

  S Read(BlockReader& block, const char* key) const {
    BlockReader child = block.Child(key);
    S value{};
    for (const Field<S>& field : *Fields) field.Read(child)(value);
    return value;
  }
  Json::Value Write(const S& value) const {
    Json::Value out(Json::objectValue);
    for (const Field<S>& field : *Fields) out[field.Key] = field.Write(value);
    return out;
  }
};

template <class S>
BlockOf(const FieldList<S>*) -> BlockOf<S>;

template <class V>
struct Pair {
  V Low{};
  V High{};
};

// {"Low": value, "High": value}.
template <class Codec>
struct PairOf {
  using Value = Pair<typename Codec::Value>;
  Codec Inner{};

  Value Read(BlockReader& block, const char* key) const {
    BlockReader child = block.Child(key);
    Value pair;
    pair.Low = Inner.Read(child, "Low");
    pair.High = Inner.Read(child, "High");
    return pair;
  }
  Json::Value Write(const Value& pair) const {
    Json::Value out(Json::objectValue);
    out["Low"] = Inner.Write(pair.Low);
    out["High"] = Inner.Write(pair.High);
    return out;
  }
};

// A map keyed by the decimal text of each index, "0" to "N-1".
template <std::size_t N, class Codec>
struct ChannelsOf {
  using Value = std::array<typename Codec::Value, N>;
  Codec Inner{};

  Value Read(BlockReader& block, const char* key) const {
    BlockReader child = block.Child(key);
    Value values{};
    for (std::size_t i = 0; i < N; ++i) values[i] = Inner.Read(child, std::to_string(i).c_str());
    return values;
  }
  Json::Value Write(const Value& values) const {
    Json::Value out(Json::objectValue);
    for (std::size_t i = 0; i < N; ++i) out[std::to_string(i)] = Inner.Write(values[i]);
    return out;
  }
};

// One member of both halves of a two-sided struct P (Low and High of type T),
// written with the pair inside the member: "Decay": {"Low": ..., "High": ...}
// fills Low.Decay and High.Decay.
template <class P, class T, class V, class Codec = Plain<V>>
Field<P> PairedMemberOf(std::string key, V T::*member, Codec codec = {}) {
  return Property<P>(
      std::move(key), [member](const P& pair) { return Pair<V>{pair.Low.*member, pair.High.*member}; },
      [member](P& pair, const Pair<V>& value) {
        pair.Low.*member = value.Low;
        pair.High.*member = value.High;
      },
      PairOf<Codec>{codec});
}

template <class T, class V, class Codec = Plain<V>>
Field<Pair<T>> PairedMember(std::string key, V T::*member, Codec codec = {}) {
  return PairedMemberOf<Pair<T>>(std::move(key), member, codec);
}

// Components -----------------------------------------------------------------------

// Stores values read from a level entry into the component the Factory has just
// attached to the object (nothing when the object has no such component).
using ComponentApplier = std::function<void(GameObject&)>;

// A component's field list, as the component table holds it.
class ComponentFields {
 public:
  virtual ~ComponentFields() = default;
  // Reads the whole block; a failure is recorded in `block` and the applier is then never used.
  virtual ComponentApplier Read(BlockReader& block) const = 0;
  virtual Json::Value Write(const Component& component) const = 0;
};

template <class C>
class FieldsOf final : public ComponentFields {
 public:
  explicit FieldsOf(FieldList<C> fields) : fields_(std::move(fields)) {}

  ComponentApplier Read(BlockReader& block) const override {
    std::vector<std::function<void(C&)>> stores;
    stores.reserve(fields_.size());
    for (const Field<C>& field : fields_) stores.push_back(field.Read(block));
    return [stores = std::move(stores)](GameObject& object) {
      C* component = object.GetComponent<C>();
      if (!component) return;
      for (const auto& store : stores) store(*component);
    };
  }

  Json::Value Write(const Component& component) const override {
    Json::Value block(Json::objectValue);
    const auto* typed = dynamic_cast<const C*>(&component);
    if (!typed) return block;
    for (const Field<C>& field : fields_) block[field.Key] = field.Write(*typed);
    return block;
  }

 private:
  FieldList<C> fields_;
};

}  // namespace Framework
