// CPictureStatic: a bitmap static that shows a copy of its picture scaled
// to fill the control in one dimension, aspect kept.
#pragma once
#include "afxwin.h"

class CPictureStatic : public CStatic {
 public:
  CPictureStatic();
  ~CPictureStatic() override;
  CPictureStatic(const CPictureStatic&) = delete;
  CPictureStatic& operator=(const CPictureStatic&) = delete;

  // Scales bitmap resource id, or with 0 the image the control shows now,
  // into the control and shows the copy. The stretch's success. A source
  // that cannot be had or has no size leaves the control's picture as it is.
  BOOL FitBitmap(UINT id);

  CBitmap* m_pBitmap;  // the scaled copy shown; empty until the first fit
};
