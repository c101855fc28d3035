#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "board/position.h"
#include "eval/hash_pions.h"
#include "search/table_hash.h"

namespace {

class TableHashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    alloue_hash(HASH_MINIMUM);
    age_hash = 0;
    position.cle = 0x123456789ABCDEF0ull;
  }
};

TEST_F(TableHashTest, SizesFollowTheLargestPowerOfTwoThatFits) {
  EXPECT_EQ(masque_hash + 1, 1024u);
  EXPECT_EQ(alloue_hash(1048576), 786432);
  EXPECT_EQ(masque_hash + 1, 16384u);
  EXPECT_EQ(alloue_hash(16 * 1048576), 262144 * 48);

  testing::internal::CaptureStdout();
  EXPECT_EQ(alloue_hash(1000), 1024 * 48);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Il faut au moins 64 Ko\n");
  EXPECT_EQ(masque_hash + 1, 1024u);
  ASSERT_NE(memoire_hash_pions, nullptr);
}

TEST_F(TableHashTest, ExactEntryRoundTripsWithItsMoveAndThreat) {
  ecrit_hash(BLANCS, -50, 50, 17, 0x101234 | BIT_ECHEC, 40, 3, 1);
  int32_t score, menace;
  Coup coup;
  EXPECT_EQ(lit_hash(BLANCS, 50, 40, 3, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 17);
  EXPECT_EQ(coup, 0x101234);  // check bit dropped, 21 bits kept
  EXPECT_EQ(menace, 1);
  // Deeper than stored: only the move is usable.
  EXPECT_EQ(lit_hash(BLANCS, 50, 48, 3, score, coup, menace), HASH_RIEN);
  EXPECT_EQ(coup, 0x101234);
}

TEST_F(TableHashTest, BoundsAndNullMoveHint) {
  ecrit_hash(BLANCS, 0, 10, 120, 0, 16, 1, 0);  // >= beta: lower bound
  int32_t score, menace;
  Coup coup;
  EXPECT_EQ(lit_hash(BLANCS, 10, 16, 1, score, coup, menace), HASH_BORNE_BASSE);
  EXPECT_EQ(score, 120);

  ecrit_hash(BLANCS, 0, 10, -30, 0, 16, 1, 0);  // <= alpha: upper bound
  EXPECT_EQ(lit_hash(BLANCS, 10, 16, 1, score, coup, menace), HASH_BORNE_HAUTE);
  // Too shallow for the node but deep enough for a reduced null move.
  EXPECT_EQ(lit_hash(BLANCS, 10, 40, 1, score, coup, menace), HASH_NUL_INUTILE);
  EXPECT_EQ(lit_hash(BLANCS, 10, 41, 1, score, coup, menace), HASH_RIEN);
  // Not below beta: no hint.
  EXPECT_EQ(lit_hash(BLANCS, -40, 40, 1, score, coup, menace), HASH_RIEN);
}

TEST_F(TableHashTest, OtherSideToMoveUsesAnotherSlotAndNeverMatches) {
  ecrit_hash(BLANCS, -50, 50, 17, 0, 40, 0, 0);
  int32_t score, menace;
  Coup coup;
  EXPECT_EQ(lit_hash(NOIRS, 50, 40, 0, score, coup, menace), HASH_RIEN);
  ecrit_hash(NOIRS, -50, 50, -5, 0, 40, 0, 0);
  EXPECT_EQ(lit_hash(BLANCS, 50, 40, 0, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 17);
  EXPECT_EQ(lit_hash(NOIRS, 50, 40, 0, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, -5);
}

TEST_F(TableHashTest, MateScoresAreStoredRelativeToTheNode) {
  // Mate in 3 from the root found at ply 4, read back at ply 6.
  const int mat_en_3 = INFINI - 6;
  ecrit_hash(BLANCS, -INFINI, INFINI, mat_en_3, 0, 8, 4, 0);
  int32_t score, menace;
  Coup coup;
  ASSERT_EQ(lit_hash(BLANCS, INFINI, 8, 6, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, mat_en_3 + 4 - 6);
  ecrit_hash(BLANCS, -INFINI, INFINI, 5 - MAT, 0, 8, 5, 0);
  ASSERT_EQ(lit_hash(BLANCS, INFINI, 8, 2, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 5 - MAT - 3);
}

TEST_F(TableHashTest, DeeperResultOfThisSearchIsKept) {
  const uint64_t cle_a = position.cle;
  const uint64_t cle_b = cle_a ^ (uint64_t{masque_hash + 1} << 8);  // same slot, other key
  ecrit_hash(BLANCS, -50, 50, 11, 0, 40, 0, 0);
  position.cle = cle_b;
  ecrit_hash(BLANCS, -50, 50, 22, 0, 16, 0, 0);  // shallower: goes to the other table
  int32_t score, menace;
  Coup coup;
  EXPECT_EQ(lit_hash(BLANCS, 50, 16, 0, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 22);
  position.cle = cle_a;
  EXPECT_EQ(lit_hash(BLANCS, 50, 40, 0, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 11);

  // In a later search the old entry may be displaced; it moves to the
  // always-replace table, so the key just written there is lost instead.
  vieillit_hash();
  position.cle = cle_b;
  ecrit_hash(BLANCS, -50, 50, 33, 0, 8, 0, 0);
  EXPECT_EQ(lit_hash(BLANCS, 50, 8, 0, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 33);
  position.cle = cle_a;
  EXPECT_EQ(lit_hash(BLANCS, 50, 40, 0, score, coup, menace), HASH_EXACT);
  EXPECT_EQ(score, 11);
}

TEST_F(TableHashTest, ClearingForgetsEverything) {
  ecrit_hash(BLANCS, -50, 50, 17, 0, 40, 0, 0);
  efface_hash();
  int32_t score, menace;
  Coup coup;
  EXPECT_EQ(lit_hash(BLANCS, 50, 0, 0, score, coup, menace), HASH_RIEN);
  EXPECT_EQ(coup, 0);
}

#if !defined(__SANITIZE_ADDRESS__)
TEST_F(TableHashTest, RefusedAllocationKeepsThePreviousTables) {
  alloue_hash(1048576);
  ecrit_hash(BLANCS, -50, 50, 17, 0, 40, 0, 0);
  // In a child limited to 512 MB of address space a 2 GB request must fail.
  int tube[2];
  ASSERT_EQ(pipe(tube), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    rlimit limite{512u << 20, 512u << 20};
    setrlimit(RLIMIT_AS, &limite);
    dup2(tube[1], 1);
    const int64_t taille = alloue_hash(int64_t{2} << 30);
    int32_t score, menace;
    Coup coup;
    const int genre = lit_hash(BLANCS, 50, 40, 0, score, coup, menace);
    std::fflush(stdout);
    _exit(taille == 786432 && masque_hash == 16383 && genre == HASH_EXACT && score == 17 ? 0 : 1);
  }
  close(tube[1]);
  std::string sortie;
  char tampon[256];
  for (ssize_t n; (n = read(tube[0], tampon, sizeof tampon)) > 0;) sortie.append(tampon, n);
  close(tube[0]);
  int statut = 0;
  waitpid(pid, &statut, 0);
  EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
  EXPECT_EQ(sortie.rfind("info string ", 0), 0u) << sortie;
}
#endif

}  // namespace
