// The master-data screens and routines answer to their names once registered.
#include <gtest/gtest.h>

#include "master/master_fixture.hpp"

namespace {

TEST(registerMaster, EveryScreenOfTheMenuAndOfTheHotKeysAndEveryRoutineHasItsName) {
  mastertest::MasterStation s;
  for (const char* name : {"EKON", "PTOW", "PGRU_TOW", "PUPU", "ESL_KONT", "SKASUJ_ZNA", "KON_INFO", "TOW_INFO",
                           "SPR_INFO", "POZ_INFO", "CENA_NET", "CENA_BRU", "CENA_TAB", "CENS_MAR", "MAR_CENS", "STAN_OG",
                           "OPAK", "PTOI", "WE_SL_TO_R", "WY_SL_TO_R", "DAJ_TOW_H", "KON_OK", "SLAD_KON", "SLAD_KON2",
                           "DAJ_KONTO", "K_OFF", "KON_TMP", "DAJ_TMP", "UNIK_KON", "TRANS_OP"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(s.rt.functions().contains(name));
  }
}

}  // namespace
