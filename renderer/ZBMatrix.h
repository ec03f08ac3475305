#pragma once

#include "ZBVector.h"

// 4 x 4 transform; points are row vectors multiplied from the left, translation in row 3.
class ZBMatrix {
public:
    ZBMatrix() { SetIdentity(); }
    ZBMatrix(const ZBMatrix&) = default;
    ZBMatrix& operator=(const ZBMatrix&) = default;
    virtual ~ZBMatrix() = default;

    void SetIdentity();
    // this := this x b
    ZBMatrix& Multiply(const ZBMatrix& b);

    float m[4][4];
};

ZBVector TransformPoint(const ZBVector& p, const ZBMatrix& m);
