// Saved adjustment data sets: the 172-byte record and the `Color` key it lives in.
// Stored sets are input from outside (other programs, damaged profiles), so the
// cases lean on sizes and texts that do not fit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "modes/adjustment_data.h"
#include "modes/adjustment_store.h"
#include "support/memory_registry.h"

namespace {

AdjustmentData SampleSet() {
    AdjustmentData data;
    data.modelName = "TQ6600W";
    data.serialNumber = "26114073";
    data.identity = "26114073TQ6600W";
    data.mode = 17;
    data.colorTemperature = 15;
    data.brightness = {60, 100, 1};
    data.redGain = {236, 255, 1};
    data.greenGain = {241, 255, 1};
    data.blueGain = {0, 0, 0};
    data.gamma = {4, 8, 1};
    data.quad = {50, 51, 52, -1};
    data.quadValid = 1;
    data.contrast = {50, 100, 1};
    return data;
}

std::int32_t WordAt(const AdjustmentBytes& bytes, std::size_t offset) {
    std::int32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, 4);  // little-endian on every target we build
    return word;
}

TEST(AdjustmentRecord, EncodesAtTheStoredOffsetsAndDecodesBack) {
    const AdjustmentBytes bytes = EncodeAdjustmentData(SampleSet());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "TQ6600W");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 18)), "26114073");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 36)), "26114073TQ6600W");
    EXPECT_EQ(WordAt(bytes, 72), 17);
    EXPECT_EQ(WordAt(bytes, 76), 15);
    EXPECT_EQ(WordAt(bytes, 84), 100);  // brightness maximum
    EXPECT_EQ(WordAt(bytes, 124), 0);   // blue gain never read
    EXPECT_EQ(WordAt(bytes, 152), -1);  // fourth value of the set
    EXPECT_EQ(WordAt(bytes, 156), 1);
    EXPECT_EQ(WordAt(bytes, 168), 1);  // contrast valid, the last word

    AdjustmentData decoded;
    ASSERT_TRUE(DecodeAdjustmentData(bytes.data(), bytes.size(), &decoded));
    EXPECT_EQ(decoded, SampleSet());
}

TEST(AdjustmentRecord, AnythingButExactly172BytesIsRejected) {
    std::vector<std::uint8_t> bytes(2048, 'A');
    for (std::size_t size : {0u, 171u, 173u, 2048u}) {
        AdjustmentData data = SampleSet();
        EXPECT_FALSE(DecodeAdjustmentData(bytes.data(), size, &data)) << size;
        EXPECT_EQ(data, SampleSet()) << "a rejected record leaves the output alone";
    }
}

TEST(AdjustmentRecord, TextsThatFillTheirFieldStayInside) {
    // No zero anywhere: every text runs up to its field's end and no further.
    AdjustmentBytes bytes;
    bytes.fill('M');
    std::memset(bytes.data() + 18, 'S', 18);
    std::memset(bytes.data() + 36, 'I', 36);
    AdjustmentData data;
    ASSERT_TRUE(DecodeAdjustmentData(bytes.data(), bytes.size(), &data));
    EXPECT_EQ(data.modelName, std::string(18, 'M'));
    EXPECT_EQ(data.serialNumber, std::string(18, 'S'));
    EXPECT_EQ(data.identity, std::string(36, 'I'));

    // Encoding cuts an over-long name to its field instead of spilling into the next.
    AdjustmentData longName = SampleSet();
    longName.modelName = std::string(25, 'X');
    ASSERT_TRUE(
        DecodeAdjustmentData(EncodeAdjustmentData(longName).data(), AdjustmentData::kSize, &data));
    EXPECT_EQ(data.modelName, std::string(18, 'X'));
    EXPECT_EQ(data.serialNumber, "26114073");
}

class AdjustmentStoreTest : public ::testing::Test {
protected:
    void Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        registry.SetValue(AdjustmentStore::KeyPath(), name, platform::RegistryType::Binary,
                          bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    void PutRule(const std::string& application, const std::string& modeName) {
        const std::string key = AdjustmentStore::RulesKeyPath() + "\\" + application;
        const std::uint32_t mode = 255;
        registry.SetValue(key, "Mode", platform::RegistryType::Dword, &mode, sizeof mode);
        registry.SetValue(key, "ModeName", platform::RegistryType::String, modeName.data(),
                          static_cast<std::uint32_t>(modeName.size()));  // no terminating zero
    }
    const testing_support::MemoryRegistry::Value* Rule(const std::string& application,
                                                       const char* value) {
        return registry.Find(AdjustmentStore::RulesKeyPath() + "\\" + application, value);
    }

    testing_support::MemoryRegistry registry;
    AdjustmentStore store{registry};
};

TEST_F(AdjustmentStoreTest, WrittenSetReadsBackAndReplacesOneOfTheSameName) {
    AdjustmentData data = SampleSet();
    ASSERT_TRUE(store.Write("Evening", data));
    data.brightness.value = 20;
    ASSERT_TRUE(store.Write("Evening", data));
    AdjustmentData read;
    ASSERT_TRUE(store.Read("Evening", &read));
    EXPECT_EQ(read, data);
    EXPECT_EQ(store.Names(), std::vector<std::string>{"Evening"});
    EXPECT_EQ(registry.Find(AdjustmentStore::KeyPath(), "Evening")->data.size(), 172u);
}

TEST_F(AdjustmentStoreTest, SetWithoutANameIsNeverStored) {
    EXPECT_FALSE(store.Write("", SampleSet()));
    EXPECT_EQ(registry.writeCalls, 0);
    EXPECT_FALSE(registry.KeyExists(AdjustmentStore::KeyPath()));
}

TEST_F(AdjustmentStoreTest, ValuesOfAnotherSizeDoNotReadAsSets) {
    for (std::size_t size : {0u, 171u, 173u, 2048u}) {
        Put("odd", std::vector<std::uint8_t>(size, 7));
        AdjustmentData data;
        EXPECT_FALSE(store.Read("odd", &data)) << size;
    }
    AdjustmentData data;
    EXPECT_FALSE(store.Read("absent", &data));
}

TEST_F(AdjustmentStoreTest, ListingStepsOverWhatItCannotReadInsteadOfStopping) {
    Put("First", std::vector<std::uint8_t>(172));
    Put("", std::vector<std::uint8_t>(172));
    Put("Huge", std::vector<std::uint8_t>(3000));                // longer than any data buffer
    Put(std::string(300, 'N'), std::vector<std::uint8_t>(172));  // name beyond the buffer
    Put("Last", std::vector<std::uint8_t>(172));
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"First", "Huge", "Last"}));
}

TEST_F(AdjustmentStoreTest, DeletingASetForgetsItOnlyInTheRulesThatNameIt) {
    ASSERT_TRUE(store.Write("Evening", SampleSet()));
    PutRule("EXPLORER", "Evening");
    PutRule("NOTEPAD", "Evening2");
    PutRule("GAME", "evening");  // names compare exactly
    ASSERT_TRUE(store.Delete("Evening"));
    store.ForgetInRules("Evening");

    AdjustmentData data;
    EXPECT_FALSE(store.Read("Evening", &data));
    EXPECT_EQ(Rule("EXPLORER", "ModeName"), nullptr);
    ASSERT_NE(Rule("EXPLORER", "Mode"), nullptr) << "the rule's mode stays for the rule editor";
    EXPECT_NE(Rule("NOTEPAD", "ModeName"), nullptr);
    EXPECT_NE(Rule("GAME", "ModeName"), nullptr);
}

}  // namespace
