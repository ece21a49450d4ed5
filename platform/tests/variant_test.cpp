#include "platform/variant.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SafeArray, VectorOfBytesHasBoundsZeroedDataAndLocks) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 3, 5);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(SafeArrayGetDim(array), 1u);
  EXPECT_EQ(SafeArrayGetElemsize(array), 1u);
  LONG lower = 0, upper = 0;
  ASSERT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
  EXPECT_EQ(lower, 3);
  EXPECT_EQ(upper, 7);
  EXPECT_EQ(SafeArrayGetLBound(array, 2, &lower), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetUBound(array, 0, &upper), DISP_E_BADINDEX);

  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
  const BYTE zeros[5] = {};
  EXPECT_EQ(std::memcmp(data, zeros, 5), 0);
  std::memcpy(data, "\x01\x02\x03\x04\x05", 5);
  EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
  ASSERT_EQ(SafeArrayUnaccessData(array), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

TEST(SafeArray, DimensionsCountFromOneLastStoredFirst) {
  SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 10}};
  SAFEARRAY* array = SafeArrayCreate(VT_R8, 2, bounds);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(SafeArrayGetDim(array), 2u);
  EXPECT_EQ(SafeArrayGetElemsize(array), 8u);
  LONG lower = 0, upper = 0;
  ASSERT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
  EXPECT_EQ(lower, 10);
  EXPECT_EQ(upper, 12);
  ASSERT_EQ(SafeArrayGetUBound(array, 2, &upper), S_OK);
  EXPECT_EQ(upper, 1);
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, RefusesWhatItCannotHold) {
  SAFEARRAYBOUND bound{4, 0};
  EXPECT_EQ(SafeArrayCreate(VT_BSTR, 1, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 0, &bound), nullptr);
  SAFEARRAYBOUND huge[3] = {{0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}};
  EXPECT_EQ(SafeArrayCreate(VT_R8, 3, huge), nullptr);
  EXPECT_EQ(SafeArrayGetDim(nullptr), 0u);
  void* data = nullptr;
  EXPECT_EQ(SafeArrayAccessData(nullptr, &data), E_INVALIDARG);
  // An empty vector is an array all the same.
  SAFEARRAY* empty = SafeArrayCreateVector(VT_UI1, 0, 0);
  ASSERT_NE(empty, nullptr);
  LONG upper = 0;
  ASSERT_EQ(SafeArrayGetUBound(empty, 1, &upper), S_OK);
  EXPECT_EQ(upper, -1);
  EXPECT_EQ(SafeArrayDestroy(empty), S_OK);
}

TEST(Variant, ClearFreesWhatItHolds) {
  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  v.vt = VT_ARRAY | VT_UI1;
  v.parray = SafeArrayCreateVector(VT_UI1, 0, 16);
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);

  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(u"слово");
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);

  // A locked array stays, and so does the variant holding it.
  v.vt = VT_ARRAY | VT_UI1;
  v.parray = SafeArrayCreateVector(VT_UI1, 0, 1);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(v.parray, &data), S_OK);
  EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(v.vt, VT_ARRAY | VT_UI1);
  SafeArrayUnaccessData(v.parray);
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

}  // namespace
