#include "lister/dialects/dialect.h"

#include "lister/dialects/hubasic.h"
#include "lister/dialects/sbasic.h"

namespace detoken {

TokenDecoder decoder_for(Dialect dialect) {
  switch (dialect) {
    case Dialect::SBasic:
      return decode_sbasic_item;
    case Dialect::HuBasic:
      return decode_hubasic_item;
  }
  return decode_sbasic_item;
}

}  // namespace detoken
