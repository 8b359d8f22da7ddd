#include "core/ocr/ppocr/OnnxModel.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/RegularFile.h"
#include "core/ocr/ppocr/ModelCache.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <onnxruntime_run_options_config_keys.h>
#include <onnxruntime_session_options_config_keys.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// Far above any PP-OCR network (the largest is about 11 MB).
constexpr qint64 maximumNetworkBytes = 256 * 1024 * 1024;

// One environment per process; it must outlive every session, and a function-local static
// created before the first session is destroyed after it. The three sessions share one memory
// arena instead of keeping one each (445 MB peak on the homework images otherwise). It keeps ONNX
// Runtime's growth by powers of two: growing by the size asked left gaps that images of other
// shapes could not reuse.
Ort::Env &environment()
{
    static Ort::Env env = [] {
        // The official builds start a telemetry client with the first environment: it writes a
        // device identifier under ~/.cache/Microsoft and tries to upload events. Loading the
        // library starts nothing; the client reads this variable when the environment is made,
        // so setting it here holds for every program that recognises text, whatever it inherited.
        setenv("ORT_DISABLE_TELEMETRY", "1", 1);
        Ort::Env created(ORT_LOGGING_LEVEL_FATAL, "slatebook");
        created.DisableTelemetryEvents();
        const Ort::MemoryInfo memory =
            Ort::MemoryInfo::CreateCpu(OrtArenaAllocator, OrtMemTypeDefault);
        const Ort::ArenaCfg defaults(0, -1, -1, -1);
        created.CreateAndRegisterAllocator(memory, defaults);
        return created;
    }();
    return env;
}

// optimise: whether ONNX Runtime optimises the graph, and where it writes the result (empty for
// nowhere); a graph from the model cache is optimised already.
Ort::SessionOptions sessionOptions(bool optimise, const QString &optimisedCopy = {})
{
    Ort::SessionOptions options;
    options.SetIntraOpNumThreads(
        std::clamp(QThread::idealThreadCount(), 1, PpOcrSettings::intraOpThreadCap));
    options.SetInterOpNumThreads(1);
    options.SetExecutionMode(ExecutionMode::ORT_SEQUENTIAL);
    options.SetGraphOptimizationLevel(optimise ? GraphOptimizationLevel::ORT_ENABLE_ALL
                                               : GraphOptimizationLevel::ORT_DISABLE_ALL);
    // The cache keeps ONNX Runtime's own format: a session loads it without parsing protobuf and
    // takes the weights from the cached bytes instead of copying them (the recognition network's
    // session in 65 instead of 130 ms CPU).
    if (!optimisedCopy.isEmpty()) {
        options.SetOptimizedModelFilePath(QFile::encodeName(optimisedCopy).constData());
        options.AddConfigEntry(kOrtSessionOptionsConfigSaveModelFormat, "ORT");
    }
    if (!optimise) {
        options.AddConfigEntry(kOrtSessionOptionsConfigLoadModelFormat, "ORT");
        options.AddConfigEntry(kOrtSessionOptionsConfigUseORTModelBytesDirectly, "1");
        options.AddConfigEntry(kOrtSessionOptionsConfigUseORTModelBytesForInitializers, "1");
    }
    options.AddConfigEntry(kOrtSessionOptionsConfigUseEnvAllocators, "1");
    // Every image brings new input shapes, and a memory pattern is one block planned per shape:
    // without it tensors come from the arena one by one and are reused across shapes (peak
    // memory 275 instead of 355 MB on the homework images, at the same speed).
    options.DisableMemPattern();
    // The two cores are shared with the rest of the desktop: waiting threads sleep instead of
    // spinning, which halved the time per image whenever another process was busy.
    options.AddConfigEntry(kOrtSessionOptionsConfigAllowIntraOpSpinning, "0");
    return options;
}

// Optimising the graph is about half of a session's creation (rec 92 of 190 ms CPU here), so the
// optimised graph is kept in the model cache. Every file is read here, as a regular file, and
// handed to ONNX Runtime as bytes: the runtime never opens a path that could be a FIFO, and the
// bytes checked against the cache entry's checksum are the bytes loaded. A cached graph that does
// not load is removed and built again from the network; a cache that cannot be written only
// costs the optimisation at the next start. A session from the cache uses the bytes of `graph`,
// which must outlive it.
Ort::Session openSession(const QString &path, QByteArray &graph)
{
    QElapsedTimer timer;
    timer.start();
    const QString name = QFileInfo(path).fileName();
    const std::optional<QByteArray> network = RegularFile::readAll(path, maximumNetworkBytes);
    if (!network)
        throw Ort::Exception("network file " + path.toStdString() + " does not read",
                             ORT_NO_SUCHFILE);
    const QByteArray key = ModelCache::keyFor(*network);
    const std::optional<ModelCache::NetworkFolder> cache =
        ModelCache::NetworkFolder::open(QFileInfo(path).completeBaseName());
    if (cache) {
        if (std::optional<QByteArray> cached = cache->find(key)) {
            graph = std::move(*cached);
            try {
                Ort::Session session(environment(), graph.constData(), size_t(graph.size()),
                                     sessionOptions(false));
                qCDebug(lcOcr) << "loaded" << name << "from the model cache in" << timer.elapsed()
                               << "ms";
                return session;
            } catch (const Ort::Exception &error) {
                qCDebug(lcOcr) << "cached graph of" << name
                               << "does not load, rebuilding it:" << error.what();
                cache->remove(ModelCache::entryName(key));
                graph.clear();
            }
        }
        const QByteArray part = cache->newPart(key);
        try {
            Ort::Session session(environment(), network->constData(), size_t(network->size()),
                                 sessionOptions(true, cache->pathOf(part)));
            cache->publish(part, key);
            qCDebug(lcOcr) << "loaded" << name << "and cached its optimised graph in"
                           << timer.elapsed() << "ms";
            return session;
        } catch (const Ort::Exception &error) {
            // A full disk fails the session too; try once more without writing anything.
            qCDebug(lcOcr) << "optimised graph of" << path << "not cached:" << error.what();
            cache->remove(part);
        }
    }
    Ort::Session session(environment(), network->constData(), size_t(network->size()),
                         sessionOptions(true));
    qCDebug(lcOcr) << "loaded" << name << "in" << timer.elapsed() << "ms";
    return session;
}

} // namespace

void OnnxModel::prepareRuntime()
{
    environment();
}

OnnxModel::OnnxModel(const QString &path, Memory memory)
    : m_session(openSession(path, m_graph)), m_memory(memory)
{
    Ort::AllocatorWithDefaultOptions allocator;
    m_inputName = m_session.GetInputNameAllocated(0, allocator).get();
    m_outputName = m_session.GetOutputNameAllocated(0, allocator).get();
}

Ort::Value OnnxModel::run(std::vector<float> &input, const std::vector<int64_t> &shape)
{
    static const Ort::MemoryInfo memory =
        Ort::MemoryInfo::CreateCpu(OrtArenaAllocator, OrtMemTypeDefault);
    Ort::Value tensor = Ort::Value::CreateTensor<float>(memory, input.data(), input.size(),
                                                        shape.data(), shape.size());
    const char *inputNames[] = {m_inputName.c_str()};
    const char *outputNames[] = {m_outputName.c_str()};
    // A desktop application should not keep a large photo's working memory once it has been
    // read. The sessions share one arena, so the detection run, first for every photo, also gives
    // back what the last photo's lines used. Giving it back after every line batch cost each
    // next batch its page faults again (sys time 0.75 instead of 0.3 s on 20 batches); keeping it
    // costs 12-15 MB of peak memory on the public sets and saves 10-16 % of their CPU time.
    Ort::RunOptions options;
    if (m_memory == Memory::GiveBack)
        options.AddConfigEntry(kOrtRunOptionsConfigEnableMemoryArenaShrinkage, "cpu:0");
    std::vector<Ort::Value> outputs =
        m_session.Run(options, inputNames, &tensor, 1, outputNames, 1);
    return std::move(outputs.front());
}

#if defined(__SANITIZE_ADDRESS__)
#define SLATEBOOK_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SLATEBOOK_LEAK_CHECKED 1
#endif
#endif

#ifdef SLATEBOOK_LEAK_CHECKED
// ONNX Runtime never frees a few buffers of its pool threads and one static string. Naming the
// library here, where it is used, keeps every sanitised program that recognises text free of
// those reports while any other leak still fails it. Fontconfig, which every program that draws
// text loads, likewise keeps a little of its configuration when it starts on a disk that is full.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libonnxruntime.so\n"
           "leak:libfontconfig.so\n";
}
#endif
