#include "platform/media_decoders.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

namespace shelf {
namespace {

bool GstReady() {
  static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
  return ready;
}

}  // namespace

bool HasMediaElement(const std::string& element) {
  if (!GstReady()) return false;
  GstElementFactory* factory = gst_element_factory_find(element.c_str());
  if (!factory) return false;
  gst_object_unref(factory);
  return true;
}

bool OfferPluginInstall(const std::vector<std::string>& elements) {
  if (elements.empty() || !GstReady() || !gst_install_plugins_supported()) return false;
  std::vector<gchar*> details;
  for (const std::string& element : elements)
    details.push_back(gst_missing_element_installer_detail_new(element.c_str()));
  details.push_back(nullptr);
  const GstInstallPluginsReturn result = gst_install_plugins_async(
      details.data(), nullptr, [](GstInstallPluginsReturn, gpointer) {}, nullptr);
  for (gchar* detail : details) g_free(detail);
  return result == GST_INSTALL_PLUGINS_STARTED_OK;
}

}  // namespace shelf
