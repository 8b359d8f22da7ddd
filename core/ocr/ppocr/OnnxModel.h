#pragma once

#include <onnxruntime_cxx_api.h>

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// One network with a single float input and a single float output. ONNX Runtime's Run is
// thread-safe, so one instance serves every thread.
class OnnxModel {
public:
    // Throws Ort::Exception when the file cannot be read or loaded. Uses the model cache
    // (ModelCache).
    explicit OnnxModel(const QString &path);

    // Creates the process's ONNX Runtime environment when it does not exist yet. It must outlive
    // every session: an object that keeps sessions and is itself a static calls this first.
    static void prepareRuntime();

    // Runs the network on one tensor of the given shape; throws Ort::Exception on failure.
    Ort::Value run(std::vector<float> &input, const std::vector<int64_t> &shape);

private:
    Ort::Session m_session;
    std::string m_inputName;
    std::string m_outputName;
};
