// Moves in the learning queue and the choice of the next character with its readings and examples.
#include "tests/engine/engine_fixture.h"

TEST(Place, MovesTheCharacterAndClampsTheTarget) {
    TestFolder folder;
    MakeQueue(6);  // P..U at 1..6; any jitter of 5 rounds to nothing
    Place(0x5000, 5);
    const int expected[] = {5, 1, 2, 3, 4, 6};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(App.CharTable[0x5000 + k].QueuePos, expected[k]);
    const std::uint32_t state = App.RandomState;
    Place(0x5001, 2);  // no jitter at 2 or less, raised to 5
    Place(0x4000, 7);  // not queued: it gets no position
    EXPECT_EQ(App.CharTable[0x5001].QueuePos, 5);
    EXPECT_EQ(App.CharTable[0x4000].QueuePos, 0);
    Place(0x5002, 3);  // the first of the three to draw its jitter
    EXPECT_EQ(DrawRandom(), DrawAfterSeed(state, 1));
}

TEST(SetCurrentChar, TakesACharacterWithRecordAndReadingsShufflesThemAndListsItsWords) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {});          // passed over without a draw
    db.AddChar(0x4E01, {"", "  "});  // texts without a reading
    db.AddChar(0x4E02, {"ma1 a", "ma2 b", "ma3 c"});
    db.AddWord({0x4E02, 0x4E02}, "<ma1 ma1> twice");
    db.AddWord({0x4E03, 0x4E04}, "<ni3 hao3> without");
    db.AddWord({0x4E03, 0x4E02}, "<ni3 ma1> at the end");
    LoadTestData(db);
    App.CharTable[0x3000].QueuePos = 1;  // no record; would win the tie at the head by its lower code
    App.QueuedCodes = FindQueuedCodes();
    for (std::uint32_t seed : {1u, 99u, 12345u}) {
        std::string order[3] = {"ma1|a ", "ma2|b ", "ma3|c "};
        for (int k = 0; k < 3; ++k)
            std::swap(order[DrawAfterSeed(seed, 2 * k) % 3], order[DrawAfterSeed(seed, 2 * k + 1) % 3]);
        SeedRandom(seed);
        ASSERT_EQ(SetCurrentChar(), 1);
        std::string shown;
        for (PairNode* node = App.ReadingList.head; node != nullptr; node = node->next)
            shown += LowBytes(node->pair.first) + "|" + LowBytes(node->pair.second) + " ";
        EXPECT_EQ(shown, order[0] + order[1] + order[2]);
        EXPECT_EQ(DrawRandom(), DrawAfterSeed(seed, 6));
    }
    ASSERT_EQ(App.ExampleList.count, 2);
    EXPECT_EQ(LowBytes(App.ExampleList.head->pair.second) + "|" + LowBytes(App.ExampleList.tail->pair.second),
              "<ma1 ma1> twice|<ni3 ma1> at the end");

    App.CharTable[0x4E02].QueuePos = 0;  // the head with readings is now a filler with one
    App.QueuedCodes = FindQueuedCodes();
    SeedRandom(5);
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(DrawRandom(), DrawAfterSeed(5, 2));

    for (CharRecord& record : App.CharTable) record.QueuePos = 0;
    App.CharTable[0x4E00].QueuePos = 1;
    App.QueuedCodes = FindQueuedCodes();
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LastLog(1), "924 ");

    App.TrainingMode = false;  // an exam draws again for a character without readings
    App.ExamRange = 3;
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(App.CurrentChar, 0x4E02);
    App.ExamRange = 2;
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LastLog(1), "939 ");
}

// A damaged record met while training stops the program with the fatal message; the answers since
// the last save are saved first, but only when the records pass their consistency test.
TEST(SetCurrentChar, DamagedRecordsStopTheProgramSavingOnlyConsistentRecords) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {"ma1 a"});
    // Records of characters outside the frequency list are read only when a learner's queue
    // brings them up; the start checks those of the list.
    db.AddUnrankedChar(0x4E01, {"ma1 a", "ma2 b", "ma3 c", "ma4 d"});
    db.AddUnrankedChar(0x3400, {"ma1 mother"});  // the last record in cif, cut inside its text
    LoadTestData(db, 9);
    App.CharTable[0x4E01].QueuePos = 1;
    App.CharTable[0x4E00].QueuePos = 0;
    App.QueuedCodes = FindQueuedCodes();
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LastLog(1), "938 ");

    App.CharTable[0x4E01].QueuePos = 0;
    App.CharTable[0x3400].QueuePos = 1;
    App.QueuedCodes = FindQueuedCodes();
    App.CharTable[0x5001].Good = 7;  // an answer not yet saved
    App.Answered = true;
    App.AnswerCount = 11;  // not a saving answer: the stop saves on its own
    OnChar(' ');
    EXPECT_EQ(LastLog(2), "937 961 ");
    ASSERT_EQ(ReadFileBytes("student.lumora"), LearnerFileBytes());
    EXPECT_EQ(LearnerFileBytes()[2 + 8 * 0x5001 + 2], 7);
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text.rfind("Fatal error: ", 0), 0u);
    EXPECT_NE(AskedQuestions()[0].text.find("Your records were saved."), std::string::npos);
    Type("ma1");  // no rows to type into
    EXPECT_EQ(App.TypedPinyin[0].length(), 0u);

    // Positions 1, 1: the records fail their test and the file on disk is left as it was.
    const std::vector<std::uint8_t> before = ReadFileBytes("student.lumora");
    App.CharTable[0x5002].QueuePos = 1;
    App.QueuedCodes = FindQueuedCodes();
    App.CharTable[0x5001].Good = 8;
    App.Answered = true;
    OnChar(' ');
    EXPECT_EQ(ReadFileBytes("student.lumora"), before);
    ASSERT_EQ(AskedQuestions().size(), 2u);
    EXPECT_NE(AskedQuestions()[1].text.find("could not be saved"), std::string::npos);
}
