#include "ZBScene.h"

#include "ZBSceneStream.h"

using namespace ZBSceneStream;

void ZBScene::ReadText(std::istream& is, int shadeArgument)
{
    m_views.ReadViewSection(is);
    Rewind(is);
    m_views.SetShadeMode(ZBShadeModeFromArgument(shadeArgument));
    m_lights.ReadText(is);
    Rewind(is);
    m_materials.ReadText(is);
    Rewind(is);
    m_textures.ReadText(is);
    Rewind(is);
    m_pTriangles->ReadText(is, m_materials);
    Rewind(is);
    m_pTriangles->Prepare();
    m_back.ReadText(is);
    Rewind(is);
    m_segments.ReadText(is);
    Rewind(is);
}

void ZBScene::ReadRecords(std::istream& is)
{
    m_views.Clear();
    m_back.Reset();
    m_textures.Reset();
    // Nothing of the scene read before survives into this one.
    m_lights.Clear();
    m_materials.Clear();
    m_segments.Clear();
    m_pTriangles->Clear();
    char mark;
    while (is.good() && is.get(mark) && mark == '#') {
        std::string keyword;
        if (!ReadStr(is, keyword, kWordLimit))
            break;
        if (keyword == "VIEW") {
            m_views.ReadViewRecord(is);
        } else if (keyword == "BACKCOLOR") {
            m_back.ReadBackColorBinary(is);
        } else if (keyword == "BACKIMAGE") {
            m_back.ReadBackImageBinary(is, m_strTempFolder);
        } else if (keyword == "FOG") {
            m_back.ReadFogBinary(is);
        } else if (keyword == "IMAGE") {
            if (!m_textures.ReadBinary(is, m_strTempFolder))
                m_textures.MarkReadFailed();
        } else if (keyword == "TEXSHADE") {
            m_textures.ReadTexShadeBinary(is);
        } else if (keyword == "MATERIAL") {
            m_materials.ReadBinary(is);
        } else if (keyword == "LIGHT") {
            m_lights.ReadBinary(is);
        } else if (keyword == "POLYGON") {
            m_pTriangles->ReadBinary(is, m_materials);
        } else if (keyword == "WIRE") {
            m_segments.ReadBinary(is);
        }
        // An unknown keyword's body is not skipped: the next byte ends the records unless it is '#'.
    }
}
