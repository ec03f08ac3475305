// A text scene handed to the renderer library: read, rendered into a small picture, written.
#include "FuzzTarget.h"
#include "ZBDriver.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("scene.txt", data, size);
  const std::string out = fuzz::ScratchDir() + "/scene-out.bmp";
  ZBScene scene;
  ZBDriver driver(scene);
  ZBRenderRequest req;
  req.scenePath = path.c_str();
  req.outPath = out.c_str();
  req.width = 48;
  req.height = 32;
  driver.Run(req);
}
