#include "report/excel/dispatch.h"

#include <vector>

#include "core/error.h"
#include "core/windows_text.h"
#include "report/excel/com_text.h"
#include "report/excel/excel_messages.h"

namespace tavrix::report::excel {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& reason) {
  throw Error(std::string(kCallFailedMessage) + "«" + what + "»: " + reason);
}

// The object's own explanation of a failed call when it gave one, else the code's text.
std::string Reason(HRESULT result, EXCEPINFO& info) {
  if (result == DISP_E_EXCEPTION && info.pfnDeferredFillIn != nullptr) {
    info.pfnDeferredFillIn(&info);
  }
  std::string reason;
  if (result == DISP_E_EXCEPTION && info.bstrDescription != nullptr) {
    reason = Utf8FromWide(info.bstrDescription);
  }
  if (result == DISP_E_EXCEPTION && info.scode != 0) result = info.scode;
  ::SysFreeString(info.bstrSource);
  ::SysFreeString(info.bstrDescription);
  ::SysFreeString(info.bstrHelpFile);
  return reason.empty() ? HresultText(result) : reason;
}

}  // namespace

Variant Variant::Int32(std::int32_t value) {
  Variant v;
  v.value_.vt = VT_I4;
  v.value_.lVal = value;
  return v;
}

Variant Variant::Float(float value) {
  Variant v;
  v.value_.vt = VT_R4;
  v.value_.fltVal = value;
  return v;
}

Variant Variant::Bool(bool value) {
  Variant v;
  v.value_.vt = VT_BOOL;
  v.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

Variant Variant::Text(const std::wstring& text) {
  Variant v;
  v.value_.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (v.value_.bstrVal == nullptr) throw std::bad_alloc();
  v.value_.vt = VT_BSTR;
  return v;
}

Variant Variant::Array(SAFEARRAY* array) {
  Variant v;
  v.value_.vt = VT_ARRAY | VT_VARIANT;
  v.value_.parray = array;
  return v;
}

Dispatch& Dispatch::operator=(Dispatch&& other) noexcept {
  if (this != &other) {
    Reset();
    object_ = other.object_;
    other.object_ = nullptr;
  }
  return *this;
}

void Dispatch::Reset() {
  if (object_ != nullptr) object_->Release();
  object_ = nullptr;
}

Variant Dispatch::Invoke(const wchar_t* member, WORD flags, std::initializer_list<Variant*> args,
                         LCID locale, const std::string& what, bool put) const {
  if (object_ == nullptr) Fail(what, "нет объекта");
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  if (const HRESULT found = object_->GetIDsOfNames(IID_NULL, &name, 1, locale, &id);
      FAILED(found)) {
    Fail(what, HresultText(found));
  }
  // Automation takes the arguments last first.
  std::vector<VARIANTARG> reversed;
  for (auto it = args.end(); it != args.begin();) reversed.push_back(*(*--it)->get());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                    put ? 1u : 0u};
  Variant result;
  EXCEPINFO info{};
  UINT bad_argument = 0;
  const HRESULT done = object_->Invoke(id, IID_NULL, locale, flags, &params,
                                       put ? nullptr : result.get(), &info, &bad_argument);
  if (FAILED(done)) Fail(what, Reason(done, info));
  return result;
}

Variant Dispatch::Get(const wchar_t* member, std::initializer_list<Variant*> args, LCID locale,
                      const std::string& what) const {
  return Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, locale, what, false);
}

Dispatch Dispatch::GetObject(const wchar_t* member, std::initializer_list<Variant*> args,
                             LCID locale, const std::string& what) const {
  Variant result = Get(member, args, locale, what);
  if (result.value().vt != VT_DISPATCH || result.value().pdispVal == nullptr) {
    Fail(what, "ответ не объект");
  }
  IDispatch* object = result.value().pdispVal;
  object->AddRef();
  return Dispatch(object);
}

void Dispatch::Call(const wchar_t* member, std::initializer_list<Variant*> args, LCID locale,
                    const std::string& what) const {
  Get(member, args, locale, what);
}

void Dispatch::Put(const wchar_t* member, Variant& value, LCID locale,
                   const std::string& what) const {
  Invoke(member, DISPATCH_PROPERTYPUT, {&value}, locale, what, true);
}

}  // namespace tavrix::report::excel
