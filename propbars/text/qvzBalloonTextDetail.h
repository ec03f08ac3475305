// The balloon bars' "文字の詳細設定...": the text detail dialog on the balloons' common text
// style. On OK the sample text takes the dialog's style and colour, and new text frames
// start from it.
#pragma once

#include "jvqObject.h"

class CWnd;
class jvqTextFill;

// The style shown for several balloons: the first one's, with every attribute the others
// disagree on put back to its plain value.
void qvzCommonTextStyle(jvqObjectArray& balloons, jvqTextFill* pOut);
BOOL qvzBalloonTextDetail(CWnd* pParent, jvqObjectArray& balloons, jvqObject* pSample);
