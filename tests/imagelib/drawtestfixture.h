#pragma once
// Common set-up of the drawing tests: a fake device, a screen of 24 bits, captured messages, and
// the library's global settings restored afterwards.

#include <gtest/gtest.h>

#include <QStringList>

#include "fakedevice.h"
#include "imagelib/drawmessage.h"
#include "imagelib/imagesize.h"

namespace tessora::test {

class DrawFixture {
  protected:
    DrawFixture() {
        SetScreenBitsPerPixelOverride(24);
        previousHandler_ =
            setDrawMessageHandler([this](const QString& text) { messages.append(text); });
    }
    ~DrawFixture() {
        SetScreenBitsPerPixelOverride(0);
        SetPixelBudget(0);
        setDrawMessageHandler(previousHandler_);
    }
    DrawFixture(const DrawFixture&) = delete;
    DrawFixture& operator=(const DrawFixture&) = delete;

    FakeDevice device;
    QStringList messages;

  private:
    DrawMessageFn previousHandler_;
};

class DrawTest : public ::testing::Test, protected DrawFixture {};

template <typename Row>
class DrawTableTest : public ::testing::TestWithParam<Row>, protected DrawFixture {};

// Names table rows after their `name` field in the test output.
struct RowName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

}  // namespace tessora::test
