#pragma once
// AM_MEDIA_TYPE helpers. Format blocks and whole types handed across COM are
// allocated with the COM task allocator, as every DirectShow party expects.
#include <windows.h>
#include <strmif.h>

namespace vcam::dshow {

// Frees the format block and releases pUnk; the structure itself stays and is
// left with no format.
void free_media_type(AM_MEDIA_TYPE& type);

// Frees the contents and the structure (a type returned by an enumerator or
// by IAMStreamConfig). Null is accepted.
void delete_media_type(AM_MEDIA_TYPE* type);

// Deep copy into `target`, whose previous contents are overwritten, not freed.
// E_OUTOFMEMORY leaves `target` without a format block.
HRESULT copy_media_type(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source);

// A new task-allocated deep copy, or null when memory runs out.
AM_MEDIA_TYPE* create_media_type(const AM_MEDIA_TYPE& source);

// Same major type, subtype, format type and format bytes.
bool media_types_equal(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// A type with a null major type or format type leaves the rest open.
bool is_partially_specified(const AM_MEDIA_TYPE& type);

// `type` agrees with every GUID that `partial` specifies (non-null).
bool matches_partial(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& partial);

// An owned AM_MEDIA_TYPE value: copies are deep, destruction frees.
class CMediaType {
 public:
  CMediaType();
  ~CMediaType();
  CMediaType(const CMediaType& other);
  CMediaType& operator=(const CMediaType& other);
  CMediaType(CMediaType&& other) noexcept;
  CMediaType& operator=(CMediaType&& other) noexcept;

  // Replaces the value with a deep copy of `source`.
  HRESULT set(const AM_MEDIA_TYPE& source);
  // Empties the value (null GUIDs, no format).
  void reset();
  // A zero-filled format block of `size` bytes replacing any previous one;
  // null when memory runs out.
  BYTE* allocate_format(ULONG size);

  const AM_MEDIA_TYPE& get() const { return type_; }
  AM_MEDIA_TYPE& get() { return type_; }
  const AM_MEDIA_TYPE* operator->() const { return &type_; }
  AM_MEDIA_TYPE* operator->() { return &type_; }
  bool has_format() const { return type_.pbFormat != nullptr && type_.cbFormat > 0; }
  bool empty() const;

 private:
  AM_MEDIA_TYPE type_;
};

bool operator==(const CMediaType& a, const CMediaType& b);

}  // namespace vcam::dshow
