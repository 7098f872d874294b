#pragma once
#include "plugin/HostPosition.h"

/** The way back from a processor to whatever hosts it. The VST wrapper is the
    one implementation; tests may provide their own. */
class FilterNativeCallbacks
{
public:
    virtual ~FilterNativeCallbacks() = default;

    /** Fills the record from the host's time information; false when the host gives none. */
    virtual bool queryHostPosition (HostPosition& position) = 0;

    /** Sets the parameter on the processor, then tells the host so it can record automation. */
    virtual void reportParameterChange (int index, float value) = 0;
};
