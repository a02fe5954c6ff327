#include "main/command_window.h"

#include <array>

namespace zd {

namespace {

// In the order of MainDialog.
constexpr std::array<std::string_view, 26> kTemplates = {
    "BASECATEGORIES",
    "BASEVOITURESMOTOS",
    "BASECLUBS",
    "BASEAGES",
    "BASEPILOTES",
    "BASECHAMPIONNATS",
    "BASETRANSPONDEURS",
    "BASEFREQUENCES",
    "PENALITES",
    "TRADUCTION",
    "SONS",
    "AFFICHAGE",
    "INTERFACE",
    "INTERNET",
    "COURSEINFO",
    "COURSEPISTE",
    "COURSEPILOTES",
    "COURSEESSAISPARAMETRES",
    "COURSEQUALIFSPARAMETRES",
    "COURSEMANCHESPARAMETRES",
    "COURSEESSAISREPARTITION",
    "COURSEQUALIFSREPARTITION",
    "COURSEMANCHESREPARTITION",
    "PILOTERESULTATDETAIL",
    "SERIERESULTATDETAIL",
    "SERIECOMMENTAIRE",
};
static_assert(kTemplates.size() == static_cast<std::size_t>(MainDialog::SeriesComment) + 1);

}  // namespace

std::string_view DialogTemplateName(MainDialog dialog) {
  return kTemplates[static_cast<std::size_t>(dialog)];
}

}  // namespace zd
