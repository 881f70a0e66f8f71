#pragma once
// An export into a site file that exists already: the controllers read
// replace their own text, any other controller's text stays as it stands,
// comments included, and a controller new to the file is added at the end.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "site/SiteFile.h"

namespace quor::site {

// The file's text with the controllers' text replaced or added; problems
// receives why the file cannot be merged into (it does not read as a site
// file, or states its controllers in a shape other than the export's), and
// the text is then empty.
std::string MergeSiteFileText(std::string_view existing, std::span<const ExportedController> controllers,
                              std::vector<SiteProblem>& problems);

}  // namespace quor::site
