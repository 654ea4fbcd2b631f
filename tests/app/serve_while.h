// Runs a blocking client call on a thread of its own while this thread keeps
// serving its events, as a second editor process would.
#pragma once

#include <QCoreApplication>

#include <chrono>
#include <future>

namespace test {

template <class Call>
auto whileServing(Call call) {
    auto result = std::async(std::launch::async, call);
    while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return result.get();
}

}  // namespace test
