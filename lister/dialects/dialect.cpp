#include "lister/dialects/dialect.h"

#include "lister/dialects/hubasic.h"
#include "lister/dialects/sbasic.h"
#include "lister/dialects/sp5025.h"

namespace detoken {

const DialectInfo& dialect_info(Dialect dialect) {
  switch (dialect) {
    case Dialect::SBasic: return sbasic_info();
    case Dialect::HuBasic: return hubasic_info();
    case Dialect::Sp5025: return sp5025_info();
  }
  return sbasic_info();
}

}  // namespace detoken
