#include "ZBMatrix.h"
#include "ZBMaterial.h"
#include "ZBTriangleGroup.h"
#include "ZBScene.h"
#include "ZBView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ZBMatrix Translation(float x, float y, float z)
{
    ZBMatrix m;
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    return m;
}

ZBMatrix Scale(float s)
{
    ZBMatrix m;
    m.m[0][0] = m.m[1][1] = m.m[2][2] = s;
    return m;
}

ZBMatrix Filled(float base)
{
    ZBMatrix m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m.m[r][c] = base + r * 4 + c;
    return m;
}

void ExpectVec(const ZBVector& v, float x, float y, float z, float tol = 1e-5f)
{
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
}

TEST(Vector, NormalizeKeepsTinyVectorsAndEqualityIsExact)
{
    ZBVector zero;
    zero.Normalize();
    EXPECT_TRUE(zero == ZBVector(0, 0, 0));
    ZBVector tiny(0.0000005f, 0, 0);
    tiny.Normalize();
    EXPECT_EQ(tiny.x, 0.0000005f);
    ZBVector atTolerance(0.000001f, 0, 0);
    atTolerance.Normalize();
    EXPECT_FLOAT_EQ(atTolerance.x, 1.0f);
    EXPECT_FALSE(ZBVector(1, 2, 3) == ZBVector(1, 2, 3.0000005f));
    ZBVector c;
    CrossProduct(ZBVector(1, 0, 0), ZBVector(0, 1, 0), c);
    EXPECT_TRUE(c == ZBVector(0, 0, 1));
}

TEST(Matrix, ProductsComposeInCallOrder)
{
    const ZBMatrix A = Filled(1), B = Filled(-7);
    ZBMatrix idB;
    idB.Multiply(B);
    ZBMatrix Aid = A;
    Aid.Multiply(ZBMatrix());
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(idB.m[r][c], B.m[r][c]);
            EXPECT_EQ(Aid.m[r][c], A.m[r][c]);
        }
    // Row 0 of A x B, computed by hand: A row 0 = 1 2 3 4, B column 0 = -7 -3 1 5.
    ZBMatrix AB = A;
    AB.Multiply(B);
    EXPECT_FLOAT_EQ(AB.m[0][0], 1 * -7 + 2 * -3 + 3 * 1 + 4 * 5);

    ExpectVec(TransformPoint(ZBVector(1, 2, 3), ZBMatrix()), 1, 2, 3);
    ExpectVec(TransformPoint(ZBVector(1, 2, 3), Translation(10, 20, 30)), 11, 22, 33);
    // p.A.B.C: scale by 2, then move, then scale by 3.
    ZBMatrix chain = Scale(2);
    chain.Multiply(Translation(1, 0, 0)).Multiply(Scale(3));
    ExpectVec(TransformPoint(ZBVector(1, 1, 1), chain), 9, 6, 6);
}

TEST(View, MatrixLooksAlongZWithUpAtTheTop)
{
    ZBView v;
    v.m_direction = ZBVector(0, 0, 5);
    v.m_up = ZBVector(0, 1, 0);
    v.UpdateViewMatrix();
    ExpectVec(v.m_direction, 0, 0, 1);
    // World +x lies left of the picture, +y at the top (camera y grows downward).
    ExpectVec(TransformPoint(ZBVector(1, 2, 3), v.m_viewMatrix), -1, -2, 3);

    // An eye elsewhere looking along +x: the point ahead has positive depth.
    ZBView w;
    w.m_eye = ZBVector(0, 0, -10);
    w.m_direction = ZBVector(1, 0, 0);
    w.m_up = ZBVector(0, 0, 1);
    w.UpdateViewMatrix();
    EXPECT_NEAR(TransformPoint(ZBVector(5, 0, -10), w.m_viewMatrix).z, 5, 1e-5);
    EXPECT_NEAR(TransformPoint(ZBVector(0, 0, -9), w.m_viewMatrix).y, -1, 1e-5);

    ZBView noUp;
    noUp.m_direction = ZBVector(0, 0, 1);
    noUp.UpdateViewMatrix();
    ExpectVec(TransformPoint(ZBVector(1, 2, 3), noUp.m_viewMatrix), 1, 2, 3);
}

TEST(Matrix, ProductWithTheInverseIsTheIdentity)
{
    ZBMatrix t = Translation(1, -2, 3);
    t.Multiply(Translation(-1, 2, -3));
    // With the up vector perpendicular to the direction the rotation part of a view matrix is
    // orthonormal: its transpose is its inverse.
    ZBView v;
    v.m_direction = ZBVector(1, 2, 3);
    v.m_up = ZBVector(3, 0, -1);
    v.m_up.Normalize();
    v.m_direction.Normalize();
    v.UpdateViewMatrix();
    ZBMatrix r = v.m_viewMatrix, rt;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            rt.m[i][j] = r.m[j][i];
    r.m[3][0] = r.m[3][1] = r.m[3][2] = 0;
    r.Multiply(rt);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            EXPECT_FLOAT_EQ(t.m[i][j], i == j ? 1.0f : 0.0f);
            EXPECT_NEAR(r.m[i][j], i == j ? 1.0f : 0.0f, 1e-6);
        }
}

TEST(View, ProjectionToPixelsAndTheWindowTest)
{
    ZBView v;
    v.m_fAngle = 90;
    v.m_nWidth = 100;
    v.m_nHeight = 50;
    v.m_nSceneWidth = 100;
    ZBScene scene;
    ASSERT_TRUE(v.SetUpScreen(scene, 1, 100));
    EXPECT_NEAR(v.m_fPlaneWidth, 2.0f, 1e-6);
    EXPECT_NEAR(v.m_fPlaneHeight, 1.0f, 1e-6);
    int px, py;
    v.ProjectToPixel(ZBVector(0, 0, 1), px, py);
    EXPECT_EQ(px, 50);
    EXPECT_EQ(py, 25);
    v.ProjectToPixel(ZBVector(-1, -0.5f, 1), px, py);
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);
    // Touching the right edge counts as inside; wholly to the right is skipped.
    EXPECT_TRUE(v.ClipToWindow(ZBVector(1, 0, 1), ZBVector(2, 0, 1), ZBVector(2, 0.2f, 1)));
    EXPECT_FALSE(v.ClipToWindow(ZBVector(1.01f, 0, 1), ZBVector(2, 0, 1), ZBVector(2, 0.2f, 1)));
    EXPECT_FALSE(v.ClipToWindow(ZBVector(0, 0.6f, 1), ZBVector(1, 0.7f, 1), ZBVector(0, 0.9f, 1)));
}

TEST(View, ShadeModeArgumentsMap)
{
    const int cases[][2] = {{0, 0}, {1, 1}, {2, 2}, {7, 0}, {-5, -1}, {-1, -1}};
    for (auto& c : cases)
        EXPECT_EQ(ZBShadeModeFromArgument(c[0]), c[1]) << c[0];
}

ZBTriangle CameraTriangle(ZBVector a, ZBVector b, ZBVector c)
{
    ZBTriangle t;
    t.SetCorners(a, b, c);
    t.Transform(ZBMatrix());
    return t;
}

TEST(Triangle, PlaneNormalFollowsWindingAndCollinearFails)
{
    ZBTriangle t = CameraTriangle(ZBVector(0, 0, 5), ZBVector(1, 0, 5), ZBVector(0, 1, 5));
    ASSERT_TRUE(t.ComputePlane());
    EXPECT_FLOAT_EQ(t.m_plane[2], 1.0f);
    EXPECT_FLOAT_EQ(t.m_plane[3], 5.0f);
    ZBTriangle r = CameraTriangle(ZBVector(0, 0, 5), ZBVector(0, 1, 5), ZBVector(1, 0, 5));
    ASSERT_TRUE(r.ComputePlane());
    EXPECT_FLOAT_EQ(r.m_plane[2], -1.0f);
    ZBEdge ray;
    ray.Set(ZBVector(), ZBVector(0.1f, 0.1f, 1));
    ZBVector hit;
    ASSERT_TRUE(t.IntersectEyeRay(ray, hit));
    ExpectVec(hit, 0.5f, 0.5f, 5);
    // Corner 0 outside the other two on one line; and a zero-length edge.
    EXPECT_FALSE(CameraTriangle(ZBVector(0, 0, 5), ZBVector(1, 0, 5), ZBVector(2, 0, 5)).ComputePlane());
    EXPECT_FALSE(CameraTriangle(ZBVector(0, 0, 5), ZBVector(0, 0, 5), ZBVector(2, 0, 5)).ComputePlane());
}

TEST(Triangle, CameraNormalsAreUnitAndTransformed)
{
    ZBTriangle t;
    t.SetCorners(ZBVector(0, 0, 0), ZBVector(1, 0, 0), ZBVector(0, 1, 0));
    for (auto& n : t.m_normals)
        n = ZBVector(0, 0, 3);
    ZBView v;
    v.m_direction = ZBVector(0, 0, 1);
    v.m_up = ZBVector(0, 1, 0);
    v.UpdateViewMatrix();
    t.Transform(Translation(4, 5, 6));
    ExpectVec(t.m_cameraNormals[1], 0, 0, 1);
    ExpectVec(t.m_camera[1].p, 5, 5, 6);
}

TEST(TriangleGroup, SeeThroughTrianglesDrawLastInReadingOrder)
{
    ZBMaterialGroup materials;
    ZBMaterial opaque, glass;
    glass.m_fOpacity = 0.5f;
    materials.Add(opaque);
    materials.Add(glass);
    ZBTriangleGroup g;
    const int order[][2] = {{2, 1}, {1, 2}, {2, 3}, {1, 4}};  // T1, O1, T2, O2
    for (auto& o : order) {
        ZBTriangle t;
        t.m_nMaterial = o[0];
        t.m_nTexture = o[1];
        g.AddTriangle(t, materials);
    }
    g.Prepare();
    ASSERT_EQ(g.GetCount(), 4);
    const int expected[] = {2, 4, 1, 3};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g.TriangleAt(i)->m_nTexture, expected[i]) << i;
    EXPECT_EQ(g.GetSeeThroughCount(), 2);
    ZBTriangleGroup empty;
    EXPECT_EQ(empty.NearestDepth(), 0.0f);
    EXPECT_EQ(empty.FarthestDepth(), 0.0f);
}

struct ClipCase {
    const char* name;
    float z[3];
    int pieces;      // triangles added by clipping
    bool original;   // the original stays visible
};

TEST(TriangleGroup, NearClipping)
{
    const ClipCase cases[] = {
        {"all at near", {1, 1, 1}, 0, true},
        {"all behind", {0.5f, 0.2f, 0.9f}, 0, false},
        {"one kept", {3, 0, 0}, 1, false},
        {"two kept", {3, 3, 0}, 2, false},
    };
    for (const ClipCase& c : cases) {
        ZBTriangleGroup g;
        ZBMaterialGroup m;
        ZBTriangle t;
        t.SetCorners(ZBVector(0, 0, c.z[0]), ZBVector(2, 0, c.z[1]), ZBVector(0, 2, c.z[2]));
        for (int k = 0; k < 3; ++k) {
            t.m_tex[k] = ZBVector(static_cast<float>(k), 0, 0);
            t.m_normals[k] = ZBVector(0, 0, -1);
        }
        g.AddTriangle(t, m);
        g.Transform(ZBMatrix());
        g.ClipNear(1.0f, nullptr);
        ASSERT_EQ(g.GetCount(), 1 + c.pieces) << c.name;
        EXPECT_EQ(g.TriangleAt(0)->m_bVisible != 0, c.original) << c.name;
        for (int i = 1; i < g.GetCount(); ++i) {
            const ZBTriangle* p = g.TriangleAt(i);
            EXPECT_TRUE(p->m_bVisible && p->m_bClipPiece) << c.name;
            for (int k = 0; k < 3; ++k)
                EXPECT_GE(p->m_camera[k].p.z, 1.0f - 1e-6f) << c.name;
        }
        g.RemoveClipPieces();
        EXPECT_EQ(g.GetCount(), 1) << c.name;
    }
    // One kept corner at depth 3, the others at 0: the cut lands two thirds along each edge,
    // and the texture coordinate is mixed by distance.
    ZBTriangleGroup g;
    ZBMaterialGroup m;
    ZBTriangle t;
    t.SetCorners(ZBVector(0, 0, 3), ZBVector(3, 0, 0), ZBVector(0, 3, 0));
    t.m_tex[1] = ZBVector(1, 0, 0);
    g.AddTriangle(t, m);
    g.Transform(ZBMatrix());
    g.ClipNear(1.0f, nullptr);
    const ZBTriangle* piece = g.TriangleAt(1);
    ExpectVec(piece->m_camera[1].p, 2, 0, 1);
    EXPECT_NEAR(piece->m_tex[1].x, 2.0f / 3.0f, 1e-5);
    // The cut edge between the two new corners is unlinked.
    EXPECT_FALSE(ZBIsMarkedEdge(piece->m_camera[1], piece->m_camera[2]));
    EXPECT_EQ(piece->m_camera[0].a, 7u);
}

TEST(TriangleGroup, TwoKeptCornersShareTheEdgeFromP1)
{
    ZBTriangleGroup g;
    ZBMaterialGroup m;
    ZBTriangle t;
    t.SetCorners(ZBVector(0, 0, 3), ZBVector(2, 0, 3), ZBVector(0, 2, 0));
    g.AddTriangle(t, m);
    g.Transform(ZBMatrix());
    g.ClipNear(1.0f, nullptr);
    ASSERT_EQ(g.GetCount(), 3);
    const ZBTriangle *a = g.TriangleAt(1), *b = g.TriangleAt(2);
    // First piece: corner 2 -> P1 (towards corner 0); second: corner 0 -> P1, corner 2 -> P2.
    ExpectVec(a->m_camera[2].p, 0, 4.0f / 3.0f, 1);
    ExpectVec(b->m_camera[2].p, 2.0f / 3.0f, 4.0f / 3.0f, 1);
    EXPECT_TRUE(a->m_camera[2].p == b->m_camera[0].p);
    EXPECT_TRUE(a->m_camera[1].p == b->m_camera[1].p);
}

TEST(Edge, PointAtDepthAndXAtY)
{
    ZBEdge e;
    e.Set(ZBVector(0, 0, 0), ZBVector(4, 8, 2));
    ZBVector p;
    e.PointAtDepth(1, p);
    ExpectVec(p, 2, 4, 1);
    float x = 0;
    ASSERT_TRUE(e.XAtY(2, x));
    EXPECT_FLOAT_EQ(x, 1);
    ZBEdge flat;
    flat.Set(ZBVector(0, 1, 0), ZBVector(5, 1.0000001f, 0));
    EXPECT_FALSE(flat.XAtY(1, x));
    EXPECT_FLOAT_EQ(e.Length(), std::sqrt(84.0f));
}

} // namespace
