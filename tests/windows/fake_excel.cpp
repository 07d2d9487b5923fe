#include "windows/fake_excel.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/windows_text.h"

namespace tavrix::report::testing {
namespace {

std::string Cp1251FromWide(const wchar_t* wide) {
  std::string utf8 = Utf8FromWide(wide == nullptr ? L"" : wide);
  return Utf8ToCp1251(utf8);
}

std::wstring WideFromUtf8(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(n));
  return wide;
}

std::string Shown(const VARIANT& v) {
  char text[64];
  switch (v.vt) {
    case VT_BSTR:
      return Cp1251ToUtf8(Cp1251FromWide(v.bstrVal));
    case VT_I4:
      return "i4 " + std::to_string(v.lVal);
    case VT_R4:
      std::snprintf(text, sizeof text, "r4 %g", v.fltVal);
      return text;
    case VT_BOOL:
      return v.boolVal == VARIANT_TRUE ? "true" : v.boolVal == VARIANT_FALSE ? "false" : "bool?";
    case VT_ARRAY | VT_VARIANT:
      return "array";
    default:
      return "vt " + std::to_string(v.vt);
  }
}

// The block that a variant array stands for; fails the test on any other shape.
CellBlock BlockOf(SAFEARRAY* array) {
  LONG low[2] = {-1, -1}, high[2] = {-1, -1};
  EXPECT_EQ(::SafeArrayGetDim(array), 2u);
  for (UINT d = 0; d < 2; ++d) {
    ::SafeArrayGetLBound(array, d + 1, &low[d]);
    ::SafeArrayGetUBound(array, d + 1, &high[d]);
    EXPECT_EQ(low[d], 0) << "dimension " << d + 1;
  }
  CellBlock block(static_cast<std::size_t>(high[0] + 1), static_cast<std::size_t>(high[1] + 1));
  for (LONG r = 0; r <= high[0]; ++r) {
    for (LONG c = 0; c <= high[1]; ++c) {
      LONG index[2] = {r, c};  // rows first, as Excel reads a Value2 array
      VARIANT cell;
      ::VariantInit(&cell);
      EXPECT_EQ(::SafeArrayGetElement(array, index, &cell), S_OK);
      const auto row = static_cast<std::size_t>(r), column = static_cast<std::size_t>(c);
      if (cell.vt == VT_R8) {
        block.SetNumber(row, column, cell.dblVal);
      } else if (cell.vt == VT_BSTR) {
        block.SetText(row, column, Cp1251FromWide(cell.bstrVal));
      } else {
        EXPECT_EQ(cell.vt, VT_EMPTY) << "cell " << r << "," << c;
      }
      ::VariantClear(&cell);
    }
  }
  return block;
}

class FakeObject final : public IDispatch {
 public:
  FakeObject(FakeExcel& excel, std::string kind, std::string name)
      : excel_(excel), kind_(std::move(kind)), name_(std::move(name)) {
    ++excel_.live;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IDispatch*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      // Letting go of the worksheet that later calls address ends its selection.
      if (excel_.selected == this) {
        excel_.sheet.ReleaseWorksheet();
        excel_.selected = nullptr;
      }
      --excel_.live;
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1) return E_INVALIDARG;
    members_.push_back(Utf8FromWide(names[0]));
    ids[0] = static_cast<DISPID>(members_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    if (id < 1 || static_cast<std::size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    const std::string member = members_[static_cast<std::size_t>(id) - 1];
    std::vector<VARIANT*> args;  // in written order
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
      ADD_FAILURE() << "a property put without its named argument";
    }
    Record(member, args, put, locale);
    try {
      if (name_ + "." + member == excel_.failing) throw Error("Excel отказал");
      return Answer(member, args, result);
    } catch (const std::exception& e) {
      *info = EXCEPINFO{};
      info->scode = static_cast<SCODE>(0x800A03EC);
      const std::wstring why = WideFromUtf8(e.what());
      info->bstrDescription = ::SysAllocString(why.c_str());
      return DISP_E_EXCEPTION;
    }
  }

 private:
  void Record(const std::string& member, const std::vector<VARIANT*>& args, bool put, LCID locale) {
    std::string call = name_ + "." + member;
    if (put) {
      call += " = " + Shown(*args.back());
    } else if (!args.empty()) {
      call += "(";
      for (std::size_t i = 0; i < args.size(); ++i) call += (i ? ", " : "") + Shown(*args[i]);
      call += ")";
    }
    char id[8];
    std::snprintf(id, sizeof id, " %lx", static_cast<unsigned long>(locale));
    excel_.calls.push_back(call + id);
  }

  HRESULT Return(VARIANT* result, FakeObject* object) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
  }

  HRESULT Answer(const std::string& member, const std::vector<VARIANT*>& args, VARIANT* result) {
    const std::string call = kind_ + "." + member;
    if (call == "Application.Workbooks") return Return(result, New("Workbooks", "Workbooks"));
    if (call == "Workbooks.Open") {
      excel_.sheet.OpenTemplate(PathFromWide(args.at(0)->bstrVal));
      return Return(result, New("Workbook", "Workbook"));
    }
    if (call == "Workbooks.Count") {
      result->vt = VT_I4;
      result->lVal = excel_.workbooks;
      return S_OK;
    }
    if (call == "Workbooks.Item") {
      return Return(result, New("Workbook", "Workbook" + std::to_string(args.at(0)->lVal)));
    }
    if (call == "Workbook.Worksheets") return Return(result, New("Worksheets", "Worksheets"));
    if (call == "Worksheets.Item") {
      excel_.sheet.SelectWorksheet(args.at(0)->lVal);
      FakeObject* worksheet = New("Worksheet", "Worksheet" + std::to_string(args.at(0)->lVal));
      excel_.selected = worksheet;
      return Return(result, worksheet);
    }
    if (call == "Worksheet.Range") {
      const auto object = New("Range", "Range");
      object->corner1_ = Cp1251FromWide(args.at(0)->bstrVal);
      object->corner2_ = Cp1251FromWide(args.at(1)->bstrVal);
      return Return(result, object);
    }
    if (call == "Range.Value2") return PutValue2(*args.at(0));
    if (call == "Application.Visible") excel_.sheet.Show();
    if (call == "Application.Quit") excel_.sheet.Quit();
    return S_OK;  // Activate, DisplayAlerts
  }

  HRESULT PutValue2(const VARIANT& value) {
    if (value.vt == VT_R4) {
      excel_.sheet.WriteRange(corner1_, corner2_, value.fltVal);
    } else if (value.vt == VT_BSTR) {
      excel_.sheet.WriteRange(corner1_, corner2_, std::string_view(Cp1251FromWide(value.bstrVal)));
    } else if (value.vt == (VT_ARRAY | VT_VARIANT)) {
      excel_.sheet.WriteRange(corner1_, corner2_, BlockOf(value.parray));
    } else {
      ADD_FAILURE() << "Value2 given a variant of type " << value.vt;
      return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
  }

  static std::filesystem::path PathFromWide(const wchar_t* wide) {
    return std::filesystem::path(std::wstring(wide));
  }

  FakeObject* New(std::string kind, std::string name) {
    auto* object = new FakeObject(excel_, std::move(kind), std::move(name));
    object->AddRef();
    return object;
  }

  FakeExcel& excel_;
  std::string kind_, name_;
  std::string corner1_, corner2_;
  std::vector<std::string> members_;
  ULONG references_ = 0;
};

}  // namespace

IDispatch* FakeExcel::Application() {
  sheet.Connect();
  auto* application = new FakeObject(*this, "Application", "Application");
  application->AddRef();
  return application;
}

}  // namespace tavrix::report::testing
