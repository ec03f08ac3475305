// A scene container (".vqb") handed to the renderer library: its archives written out and
// handed to the unpacker (here one that takes them as unpacked), then its records read,
// rendered into a small picture and written.
#include "FuzzTarget.h"
#include "ZBDriver.h"

namespace {

class AcceptingUnpacker : public ZBArchiveUnpacker {
 public:
  int Extract(const std::string&, const std::string&) override { return 0; }
};

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("scene.vqb", data, size);
  const std::string out = fuzz::ScratchDir() + "/scene-out.bmp";
  ZBScene scene;
  ZBDriver driver(scene);
  AcceptingUnpacker unpacker;
  driver.m_pUnpacker = &unpacker;
  driver.m_strTempFolder = fuzz::ScratchDir() + "/vqbtmp";
  ZBRenderRequest req;
  req.scenePath = path.c_str();
  req.outPath = out.c_str();
  req.width = 48;
  req.height = 32;
  driver.Run(req);
}
