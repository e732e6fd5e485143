#include "page_pictures.h"

#include "chassis_drawings.h"
#include "cycle_gif.h"
#include "drawing_style.h"
#include "electric_drawings.h"
#include "engine_drawings.h"
#include "gif_writer.h"
#include "picture_files.h"

namespace shelf::samplegen {

std::vector<TBookFile> PagePictures(QString& error) {
  const auto gif = [&error](const QImage& image) {
    return EncodeGif({image}, DrawingPalette(), 0, error);
  };
  // The engine chapter keeps its pictures in its companion folder, as a saved web page does.
  std::vector<TBookFile> files = {
      {"run/engine.files/section.gif", false, gif(EngineSection())},
      {"run/engine.files/cycle.gif", false, FourStrokeGif(error)},
      {"run/pic/timing_belt.gif", false, gif(TimingBelt())},
      {"run/pic/head_bolts.gif", false, gif(HeadBoltOrder())},
      {"run/pic/valve_gap.png", false, Encoded(ValveGap(), "png")},
      {"run/pic/dipstick.gif", false, gif(Dipstick())},
      {"run/pic/brake_circuit.gif", false, gif(BrakeCircuit())},
      {"run/pic/front_suspension.gif", false, gif(FrontSuspension())},
      {"run/pic/clutch_pedal.gif", false, gif(ClutchPedal())},
      {"run/pic/car_side.jpg", false, Encoded(CarSide(), "jpg", 88)},
      {"run/pic/starting_circuit.gif", false, gif(StartingCircuit())},
      {"run/pic/fuse_box.bmp", false, Bitmap(FuseBox())},
      // The wiring diagram opens in its own window of a fixed size.
      {"run/scheme.bmp", false,
       Bitmap(StartingCircuit().scaled(720, 450, Qt::KeepAspectRatio, Qt::SmoothTransformation))},
      {"run/pic/makers_plate.gif", false, gif(MakersPlate())},
  };
  for (const TBookFile& file : files) {
    if (file.Bytes.isEmpty()) {
      if (error.isEmpty()) error = "cannot encode";
      error = file.Name + ": " + error;
      return {};
    }
  }
  return files;
}

}  // namespace shelf::samplegen
