#include "ImageNotify.h"

namespace {

class CDefaultImageNotify : public CImageNotify
{
public:
    void ReportError(UINT nID) override
    {
#ifdef _WIN32
        // Texts of the library's string table, kept here so the message never depends on
        // loading a resource while memory or resources are short.
        const char* text = nID == IDS_IMAGE_NO_RESOURCE ? "リソース不足のため処理を完了できません。"
                                                        : "メモリ不足のため処理を完了できません。";
        ::MessageBoxA(NULL, text, NULL, MB_OK | MB_ICONSTOP);
#else
        (void)nID;
#endif
    }
};

CDefaultImageNotify g_defaultNotify;
CImageNotify* g_pNotify = &g_defaultNotify;

} // namespace

CImageNotify* SetImageNotify(CImageNotify* pNotify)
{
    CImageNotify* previous = g_pNotify;
    g_pNotify = pNotify != NULL ? pNotify : &g_defaultNotify;
    return previous;
}

CImageNotify* GetImageNotify()
{
    return g_pNotify;
}
