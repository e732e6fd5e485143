#include "media/media_options.h"

#include "platform/registry.h"

namespace shelf {

void TMediaOptions::Read(TRegistry& settings) {
  for (auto [name, value] :
       {std::pair{"BGSound", &BGSound}, std::pair{"Wav", &Wav}, std::pair{"Clip", &Clip}}) {
    if (const auto stored = settings.ReadBool(name))
      *value = *stored;
    else
      settings.WriteBool(name, *value);
  }
}

}  // namespace shelf
