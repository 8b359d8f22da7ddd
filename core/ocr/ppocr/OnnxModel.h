#pragma once

#include <onnxruntime_cxx_api.h>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// One network with a single float input and a single float output. ONNX Runtime's Run is
// thread-safe, so one instance serves every thread.
class OnnxModel {
public:
    // What a run leaves of its working memory: the whole of it goes back (a network whose input
    // grows with the photo), or it stays for the next run (a network of small bounded inputs,
    // run several times per photo).
    enum class Memory { GiveBack, Keep };

    // Throws Ort::Exception when the file cannot be read or loaded. Uses the model cache
    // (ModelCache).
    OnnxModel(const QString &path, Memory memory);

    // Creates the process's ONNX Runtime environment when it does not exist yet. It must outlive
    // every session: an object that keeps sessions and is itself a static calls this first.
    static void prepareRuntime();

    // Runs the network on one tensor of the given shape; throws Ort::Exception on failure.
    Ort::Value run(std::vector<float> &input, const std::vector<int64_t> &shape);

private:
    // The cached graph a session runs from; made before the session and freed after it.
    QByteArray m_graph;
    Ort::Session m_session;
    std::string m_inputName;
    std::string m_outputName;
    Memory m_memory;
};
