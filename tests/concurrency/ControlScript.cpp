#include "tests/concurrency/ControlScript.h"
#include <algorithm>
#include <cstdlib>
#include <random>

using namespace vst;

ControlScript::ControlScript (uint32_t seed, int length, const std::vector<int>& automated,
                              const ChunkDocument& presetDocument, const ChunkDocument& bankDocument)
    : presetTemplate (presetDocument), bankTemplate (bankDocument)
{
    std::mt19937 rng (seed);
    const auto pick = [&rng] (int n) { return (int) (rng() % (uint32_t) n); };
    const auto isAutomated = [&] (int i) { return std::find (automated.begin(), automated.end(), i) != automated.end(); };

    for (int n = 0; n < length; ++n)
    {
        Op op;
        const int roll = pick (100);

        if (roll < 55)
        {
            op.kind = Op::setParameter;
            do op.index = pick (ValueSets::numParameters); while (isAutomated (op.index));
            op.k = pick (ValueSets::valuesPerParameter);
        }
        else if (roll < 65)
        {
            op.kind = Op::selectProgram;
            op.index = pick (8) == 0 ? 127 : pick (6);   // mostly a few programs, so records get reused
        }
        else if (roll < 70)
        {
            op.kind = Op::rename;
            op.k = pick ((int) ValueSets::names().size());
        }
        else if (roll < 78)
        {
            op.kind = Op::takeChunk;
            op.programOnly = pick (2) == 0;
        }
        else if (roll < 84)
        {
            op.kind = Op::loadTakenChunk;
        }
        else if (roll < 88)
        {
            op.kind = Op::loadMadeChunk;
            op.programOnly = pick (3) != 0;
            op.chunkSeed = rng();
        }
        else
        {
            op.kind = Op::readBack;
            op.index = pick (128);
        }

        ops.push_back (std::move (op));
    }
}

std::vector<uint8_t> ControlScript::makeChunk (const Op& op) const
{
    std::mt19937 rng (op.chunkSeed);
    const auto pick = [&rng] (int n) { return (int) (rng() % (uint32_t) n); };
    ChunkDocument doc = op.programOnly ? presetTemplate : bankTemplate;
    const size_t perRecord = op.programOnly ? 0 : ValueSets::numParameters + 1;

    for (size_t a = 1; a < doc.attributes.size(); ++a)
    {
        const size_t slot = op.programOnly ? a - 1 : (a - 1) % perRecord;
        if (slot == ValueSets::numParameters)
            doc.attributes[a].second = ValueSets::names()[(size_t) pick ((int) ValueSets::names().size())];
        else
            doc.attributes[a].second = ChunkDocument::numberText (ValueSets::value ((int) slot, pick (ValueSets::valuesPerParameter)));
    }

    return doc.write();
}

std::string ControlScript::checkChunk (const std::vector<uint8_t>& chunk, const ValueSets& known)
{
    ChunkDocument doc;
    if (const auto bad = doc.parse (chunk); ! bad.empty())
        return "a chunk with " + bad;

    const bool programOnly = doc.tag == "QV-DELAY_TX_PRESET";
    const size_t perRecord = ValueSets::numParameters + 1;

    for (size_t a = 1; a < doc.attributes.size(); ++a)
    {
        const size_t slot = programOnly ? a - 1 : (a - 1) % perRecord;
        const auto& text = doc.attributes[a].second;

        if (slot == ValueSets::numParameters)
        {
            if (! ValueSets::isKnownName (text))
                return "a chunk names a program \"" + text + "\"";
        }
        else if (! known.isKnown ((int) slot, std::strtof (text.c_str(), nullptr)))
        {
            return "a chunk holds " + text + " for parameter " + std::to_string (slot);
        }
    }

    return {};
}

ControlScript::Outcome ControlScript::run (qvhost::PluginInstance& plugin, const ValueSets& known, int limit,
                                           std::chrono::steady_clock::time_point deadline) const
{
    Outcome outcome;
    std::vector<uint8_t> taken;
    bool takenIsProgram = false;
    auto* e = const_cast<AEffect*> (&plugin.effect());

    const auto problem = [&outcome] (std::string text)
    {
        if (outcome.problems.size() < 20)
            outcome.problems.push_back (std::move (text));
    };

    for (const auto& op : ops)
    {
        if (outcome.done >= limit || std::chrono::steady_clock::now() >= deadline)
            break;

        switch (op.kind)
        {
            case Op::setParameter:
                e->setParameter (e, op.index, ValueSets::value (op.index, op.k));
                break;

            case Op::selectProgram:
                e->dispatcher (e, effSetProgram, 0, op.index, nullptr, 0.0f);
                break;

            case Op::rename:
            {
                std::string name = ValueSets::names()[(size_t) op.k];
                e->dispatcher (e, effSetProgramName, 0, 0, name.data(), 0.0f);
                break;
            }

            case Op::takeChunk:
            {
                void* data = nullptr;
                const auto size = e->dispatcher (e, effGetChunk, op.programOnly ? 1 : 0, 0, &data, 0.0f);
                if (size <= 0 || data == nullptr)
                {
                    problem ("effGetChunk handed out nothing");
                    break;
                }
                taken.assign (static_cast<const uint8_t*> (data), static_cast<const uint8_t*> (data) + size);
                takenIsProgram = op.programOnly;
                if (const auto bad = checkChunk (taken, known); ! bad.empty())
                    problem (bad);
                break;
            }

            case Op::loadTakenChunk:
                if (! taken.empty())
                {
                    auto copy = taken;
                    e->dispatcher (e, effSetChunk, takenIsProgram ? 1 : 0, (intptr_t) copy.size(), copy.data(), 0.0f);
                }
                break;

            case Op::loadMadeChunk:
            {
                auto copy = makeChunk (op);
                e->dispatcher (e, effSetChunk, op.programOnly ? 1 : 0, (intptr_t) copy.size(), copy.data(), 0.0f);
                break;
            }

            case Op::readBack:
            {
                for (int i = 0; i < ValueSets::numParameters; ++i)
                {
                    const float v = e->getParameter (e, i);
                    if (! known.isKnown (i, v))
                        problem ("parameter " + std::to_string (i) + " reads " + std::to_string (v));
                }

                char name[64] = {};
                if (e->dispatcher (e, effGetProgramNameIndexed, op.index, 0, name, 0.0f) != 1 || ! ValueSets::isKnownName (name))
                    problem ("program " + std::to_string (op.index) + " is named \"" + std::string (name) + "\"");

                const auto current = e->dispatcher (e, effGetProgram, 0, 0, nullptr, 0.0f);
                if (current < 0 || current > 127)
                    problem ("current program " + std::to_string (current));
                break;
            }
        }

        ++outcome.done;
    }

    return outcome;
}
