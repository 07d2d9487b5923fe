// Late-bound calls on an automation object (IDispatch): members found by name, arguments
// passed as variants in their written order, a given locale id, the result as an owned variant
// or object. A failed call throws Error naming the member and the object's own explanation.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace tavrix::report::excel {

// An owned VARIANT, cleared when it goes.
class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  ~Variant() { ::VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : value_(other.value_) { ::VariantInit(&other.value_); }

  static Variant Int32(std::int32_t value);
  static Variant Float(float value);
  static Variant Bool(bool value);
  // Takes a wide text; a BSTR is allocated for it.
  static Variant Text(const std::wstring& text);
  // Takes ownership of the array.
  static Variant Array(SAFEARRAY* array);

  VARIANT* get() { return &value_; }
  const VARIANT& value() const { return value_; }

 private:
  VARIANT value_;
};

// An owned reference to an automation object.
class Dispatch {
 public:
  Dispatch() = default;
  // Takes over one reference.
  explicit Dispatch(IDispatch* object) : object_(object) {}
  ~Dispatch() { Reset(); }
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;
  Dispatch(Dispatch&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  Dispatch& operator=(Dispatch&& other) noexcept;

  explicit operator bool() const { return object_ != nullptr; }
  void Reset();

  // Property get or method call; `what` names the call in an error ("Workbooks.Open").
  Variant Get(const wchar_t* member, std::initializer_list<Variant*> args, LCID locale,
              const std::string& what) const;
  Dispatch GetObject(const wchar_t* member, std::initializer_list<Variant*> args, LCID locale,
                     const std::string& what) const;
  void Call(const wchar_t* member, std::initializer_list<Variant*> args, LCID locale,
            const std::string& what) const;
  void Put(const wchar_t* member, Variant& value, LCID locale, const std::string& what) const;

 private:
  Variant Invoke(const wchar_t* member, WORD flags, std::initializer_list<Variant*> args,
                 LCID locale, const std::string& what, bool put) const;

  IDispatch* object_ = nullptr;
};

}  // namespace tavrix::report::excel
