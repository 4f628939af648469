// Record descriptors: a static table per stored record type that tells the
// record mapping each field's type, kind, place and name.
//
//   constexpr RecordField kPointFields[] = {
//       Field<&Point::x>(TypeInt32, "x"),
//       Field<&Point::label>(TypeString, "label$"),
//   };
//   constexpr RecordDescriptor kPointDescriptor{"POINT", kPointFields};
//
// Field() takes the kind from the member's C++ type (a C array is a static
// array, DynamicArray/List/Map the dynamic kinds) and refuses, at compile
// time, a type code that does not match the member.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>

#include "runtime/text.h"
#include "xml/record_containers.h"

namespace kv {

enum FieldType : uint8_t {
  TypeInt8 = 1,
  TypeInt16 = 3,
  TypeInt32 = 5,
  TypeRecord = 7,        // a nested record, inline
  TypeString = 8,        // Text
  TypeFloat32 = 9,
  TypeFixedString = 10,  // char16_t[N] (std::array<char16_t, N> as a container item)
  TypeChar16 = 11,
  TypeFloat64 = 12,
  TypeInt64 = 13,
  TypeIntPtr = 21,
  TypeUInt8 = 24,
  TypeUInt16 = 25,
};

// Added to a type code: the field holds an address, stored as a number.
constexpr uint8_t TypePointer = 0x80;

enum FieldKind : uint8_t {
  ValueField,
  StaticArrayField,
  ArrayField,  // DynamicArray<T>
  ListField,   // List<T>
  MapField,    // Map<T>
};

struct RecordDescriptor;

struct RecordField {
  FieldKind kind;
  uint8_t type;                    // of the value, or of each item
  void* (*locate)(void* record);   // the field within a record
  const char* name;                // ASCII; element name without a leading '*' and a trailing '$'
  uint32_t count;                  // StaticArrayField: items
  uint32_t stride;                 // StaticArrayField: bytes from one item to the next
  const RecordDescriptor* record;  // TypeRecord
  uint32_t fixedSize;              // TypeFixedString: bytes
  const ContainerOps* container;   // ArrayField, ListField, MapField
};

struct RecordDescriptor {
  const char* name;  // ASCII, the record's element name
  std::span<const RecordField> fields;
};

namespace detail {

template <class M>
struct MemberOf;
template <class R, class T>
struct MemberOf<T R::*> {
  using Record = R;
  using Type = T;
};

template <class T>
struct ContainerOf {
  static constexpr FieldKind kind = ValueField;
};
template <class T>
struct ContainerOf<DynamicArray<T>> {
  static constexpr FieldKind kind = ArrayField;
  using Item = T;
  static constexpr const ContainerOps* ops = &kArrayOps<T>;
};
template <class T>
struct ContainerOf<List<T>> {
  static constexpr FieldKind kind = ListField;
  using Item = T;
  static constexpr const ContainerOps* ops = &kListOps<T>;
};
template <class T>
struct ContainerOf<Map<T>> {
  static constexpr FieldKind kind = MapField;
  using Item = T;
  static constexpr const ContainerOps* ops = &kMapOps<T>;
};

template <class T>
constexpr bool kIsFixedString = false;
template <size_t N>
constexpr bool kIsFixedString<char16_t[N]> = true;
template <size_t N>
constexpr bool kIsFixedString<std::array<char16_t, N>> = true;

template <class T>
constexpr bool ItemFits(uint8_t type) {
  if (type & TypePointer) return std::is_pointer_v<T>;
  switch (type) {
    case TypeInt8: return std::is_same_v<T, int8_t>;
    case TypeInt16: return std::is_same_v<T, int16_t>;
    case TypeInt32: return std::is_same_v<T, int32_t>;
    case TypeRecord: return std::is_class_v<T>;
    case TypeString: return std::is_same_v<T, Text>;
    case TypeFloat32: return std::is_same_v<T, float>;
    case TypeFixedString: return kIsFixedString<T>;
    case TypeChar16: return std::is_same_v<T, char16_t>;
    case TypeFloat64: return std::is_same_v<T, double>;
    case TypeInt64: return std::is_same_v<T, int64_t>;
    case TypeIntPtr: return std::is_same_v<T, intptr_t>;
    case TypeUInt8: return std::is_same_v<T, uint8_t>;
    case TypeUInt16: return std::is_same_v<T, uint16_t>;
    default: return false;
  }
}

template <auto Member>
void* Locate(void* record) {
  using Record = typename MemberOf<decltype(Member)>::Record;
  return &(static_cast<Record*>(record)->*Member);
}

}  // namespace detail

// The descriptor entry of a member; record is the nested descriptor of
// TypeRecord values and items.
template <auto Member>
consteval RecordField Field(uint8_t type, const char* name,
                            const RecordDescriptor* record = nullptr) {
  using T = typename detail::MemberOf<decltype(Member)>::Type;
  using Container = detail::ContainerOf<T>;
  RecordField field{ValueField, type, &detail::Locate<Member>, name};
  if (type == TypeRecord && !record) {
    throw "a record field needs its descriptor";
  }
  field.record = record;
  auto check = [&]<class Item>(std::type_identity<Item>) {
    if (!detail::ItemFits<Item>(type)) throw "the type code does not match the member";
    if (type == TypeFixedString) field.fixedSize = sizeof(Item);
  };
  if constexpr (Container::kind != ValueField) {
    field.kind = Container::kind;
    field.container = Container::ops;
    check(std::type_identity<typename Container::Item>{});
  } else if constexpr (std::is_array_v<T>) {
    // char16_t[N] is a fixed string, or a static array of TypeChar16.
    if (detail::kIsFixedString<T> && type == TypeFixedString) {
      check(std::type_identity<T>{});
      return field;
    }
    using Item = std::remove_extent_t<T>;
    field.kind = StaticArrayField;
    field.count = std::extent_v<T>;
    field.stride = sizeof(Item);
    check(std::type_identity<Item>{});
  } else {
    check(std::type_identity<T>{});
  }
  return field;
}

}  // namespace kv
