// A floor-plan file (".kxq") of the floor-plan palette, placed as the palette places it
// (plan group with its picture in the document's pool), then measured, copied and stored.
#include "BoardObjects.h"
#include "FuzzTarget.h"
#include "jvqImagePool.h"
#include "jvqMadorizuObject.h"

void FuzzOne(const uint8_t* data, size_t size) {
  fuzz::EnsurePrototypes();
  const std::string path = fuzz::WriteScratch("plan.kxq", data, size);
  jvqImagePool pool;
  {
    jvqMadorizuObject plan(path.c_str(), jvqObjectDefaults::GetObjectDefaults()->GetDefaultView(), &pool, 0x311);
    if (plan.GetPicture()) {
      plan.SetScale(1.0 / 50);
      plan.RecalcScale();
      jvqFileHeader header;
      header.m_pImagePool = &pool;
      fuzz::UseObject(&plan, &header);
    }
  }
  jvqObjectDefaults::FreeObjectDefaults();
}
