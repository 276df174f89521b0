// A text the user reads in Hebrew, with the English the command line prints beside it.
#pragma once

namespace pcn::text {

struct Bilingual {
  const char* hebrew;
  const char* english;
};

}  // namespace pcn::text
