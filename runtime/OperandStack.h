// Operand-stack frames of translated methods: the stack discipline of the profile's virtual
// machine, kept in the method's own native frame.
//
// A frame record is three pointers (value base, value top, tag top) followed directly by one
// tag byte per value slot. Value slots are pointer-sized and 8-aligned, so a reference in a slot
// is one whole word that the collector's conservative stack scan sees. Ints are stored
// sign-extended. A 64-bit value takes two slots, low word first, 32 bits used in each, so slot
// counts stay those of the virtual machine. Tag 1 marks a non-null reference, 0 anything else.
//
// The operations are a handful of pointer moves, with no checks: translated code calls them in
// every statement. Checked builds (TARNWICK_CHECKED) stop on a null array or an index outside
// it in the array loads and stores.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/Arrays.h"
#include "runtime/JavaTypes.h"
#include "runtime/Object.h"

namespace runtime {

using StackSlot = std::intptr_t;

inline constexpr std::uint8_t kTagValue = 0;
inline constexpr std::uint8_t kTagReference = 1;

struct OperandStack {
    StackSlot* valueBase = nullptr;
    StackSlot* valueTop = nullptr;
    std::uint8_t* tagTop = nullptr;
    // The tag bytes follow this record (see OperandFrame).

    // Starts an empty stack on valueArea, with the tags right after the record.
    static void init(OperandStack* frame, StackSlot* valueArea) {
        frame->valueBase = valueArea;
        frame->valueTop = valueArea;
        frame->tagTop = tagBase(frame);
    }

    // Inspection: slots counted from the bottom (0) of the stack.
    jint depth() const { return static_cast<jint>(valueTop - valueBase); }
    StackSlot slot(const jint index) const { return valueBase[index]; }
    std::uint8_t tag(const jint index) const { return tagBase(this)[index]; }

    // Pushes.
    static void pushInt(OperandStack* frame, const jint v) { push(frame, v, kTagValue); }
    static void pushRef(OperandStack* frame, Object* r) {
        push(frame, reinterpret_cast<StackSlot>(r), r != nullptr ? kTagReference : kTagValue);
    }
    // Two slots, low word first.
    static void pushLong(OperandStack* frame, const jlong v) {
        pushInt(frame, static_cast<jint>(v));
        pushInt(frame, static_cast<jint>(v >> 32));
    }
    // Constant-pool string n (tag 1).
    static void pushConstString(OperandStack* frame, jint n);
    // A new object before its constructor call: the reference twice.
    static void pushRefDup(OperandStack* frame, Object* r) {
        pushRef(frame, r);
        pushRef(frame, r);
    }
    static void pushIntDup(OperandStack* frame, const jint v) {
        pushInt(frame, v);
        pushInt(frame, v);
    }

    // Pops, for the arguments of calls.
    static jint popInt(OperandStack* frame) {
        --frame->tagTop;
        return static_cast<jint>(*--frame->valueTop);
    }
    static Object* popRef(OperandStack* frame) {
        --frame->tagTop;
        return reinterpret_cast<Object*>(*--frame->valueTop);
    }
    static jlong popLong(OperandStack* frame) {
        const auto high = static_cast<std::uint32_t>(popInt(frame));
        const auto low = static_cast<std::uint32_t>(popInt(frame));
        return static_cast<jlong>((static_cast<std::uint64_t>(high) << 32) | low);
    }
    // Drops the n top slots (the arguments of a call without result).
    static void popN(OperandStack* frame, const jint n) {
        frame->valueTop -= n;
        frame->tagTop -= n;
    }
    static void popNPushRef(OperandStack* frame, Object* r, const jint n) {
        popN(frame, n);
        pushRef(frame, r);
    }
    static void popNPushInt(OperandStack* frame, const jint v, const jint n) {
        popN(frame, n);
        pushInt(frame, v);
    }

    // Int arithmetic: a, b -> result; a's tag stays.
    static void iadd(OperandStack* frame) {
        const jint b = popInt(frame);
        setTopInt(frame, topInt(frame) + b);
    }
    static void isub(OperandStack* frame) {
        const jint b = popInt(frame);
        setTopInt(frame, topInt(frame) - b);
    }
    static void imul(OperandStack* frame) {
        const jint b = popInt(frame);
        setTopInt(frame, topInt(frame) * b);
    }
    // x / 0 = 0 and INT_MIN / -1 = INT_MIN, as on the handset; a zero divisor is logged.
    static void idiv(OperandStack* frame) {
        const jint b = popInt(frame);
        if (b == 0) {
            logDivisionByZero("idiv");
        }
        setTopInt(frame, runtime::idiv(topInt(frame), b));
    }
    // x % 0 = x and INT_MIN % -1 = 0; a zero divisor is logged.
    static void irem(OperandStack* frame) {
        const jint b = popInt(frame);
        if (b == 0) {
            logDivisionByZero("irem");
        }
        setTopInt(frame, runtime::irem(topInt(frame), b));
    }

    // Duplicates; the tags travel with their values.
    // a, b -> a, b, a, b
    static void dup2(OperandStack* frame) {
        StackSlot* v = frame->valueTop;
        std::uint8_t* t = frame->tagTop;
        v[0] = v[-2];
        v[1] = v[-1];
        t[0] = t[-2];
        t[1] = t[-1];
        frame->valueTop += 2;
        frame->tagTop += 2;
    }
    // c, a, b -> a, b, c, a, b
    static void dup2X1(OperandStack* frame) {
        StackSlot* v = frame->valueTop;
        std::uint8_t* t = frame->tagTop;
        const StackSlot c = v[-3], a = v[-2], b = v[-1];
        const std::uint8_t tc = t[-3], ta = t[-2], tb = t[-1];
        v[-3] = a, v[-2] = b, v[-1] = c, v[0] = a, v[1] = b;
        t[-3] = ta, t[-2] = tb, t[-1] = tc, t[0] = ta, t[1] = tb;
        frame->valueTop += 2;
        frame->tagTop += 2;
    }
    // c, a, b -> b, c, a, b
    static void dupX2(OperandStack* frame) {
        StackSlot* v = frame->valueTop;
        std::uint8_t* t = frame->tagTop;
        const StackSlot c = v[-3], a = v[-2], b = v[-1];
        const std::uint8_t tc = t[-3], ta = t[-2], tb = t[-1];
        v[-3] = b, v[-2] = c, v[-1] = a, v[0] = b;
        t[-3] = tb, t[-2] = tc, t[-1] = ta, t[0] = tb;
        frame->valueTop += 1;
        frame->tagTop += 1;
    }

    // Array stores: array, index, value -> (nothing).
    static void iastore(OperandStack* frame) { storeElement<jint>(frame); }
    // Byte and boolean arrays: the low 8 bits of the value.
    static void bastore(OperandStack* frame) { storeElement<jbyte>(frame); }

    // Array loads: array, index -> element.
    static void aaload(OperandStack* frame) { pushRef(frame, loadElement<Object*>(frame)); }
    static void iaload(OperandStack* frame) { pushInt(frame, loadElement<jint>(frame)); }
    // Sign-extended 16-bit element.
    static void saload(OperandStack* frame) { pushInt(frame, loadElement<jshort>(frame)); }
    // Sign-extended 8-bit element (byte and boolean arrays).
    static void baload(OperandStack* frame) { pushInt(frame, loadElement<jbyte>(frame)); }
    // Zero-extended 16-bit element.
    static void caload(OperandStack* frame) { pushInt(frame, loadElement<jchar>(frame)); }
    static void arrayLength(OperandStack* frame) {
        const auto* array = static_cast<const Array*>(popRef(frame));
        pushInt(frame, array->length);
    }

    // Field stores. The translated code computes the field address from the object; the
    // operation pops the value and then the object (a static store has no object).
    static void putfieldInt(OperandStack* frame, jint* field) {
        const jint value = popInt(frame);
        popN(frame, 1);
        *field = value;
    }
    static void putfieldBoolean(OperandStack* frame, jboolean* field) {
        const jint value = popInt(frame);
        popN(frame, 1);
        *field = value != 0 ? 1 : 0;
    }
    static void putstaticBoolean(OperandStack* frame, jboolean* field) {
        *field = popInt(frame) != 0 ? 1 : 0;
    }

    // Compares for conditional branches: a, b -> (nothing); 1 takes the branch.
    static jint ifIcmpge(OperandStack* frame) {
        const jint b = popInt(frame);
        return popInt(frame) >= b ? 1 : 0;
    }
    static jint ifIcmpgt(OperandStack* frame) {
        const jint b = popInt(frame);
        return popInt(frame) > b ? 1 : 0;
    }
    static jint ifIcmple(OperandStack* frame) {
        const jint b = popInt(frame);
        return popInt(frame) <= b ? 1 : 0;
    }
    static jint ifIcmplt(OperandStack* frame) {
        const jint b = popInt(frame);
        return popInt(frame) < b ? 1 : 0;
    }
    static jint ifIcmpeq(OperandStack* frame) {
        const jint b = popInt(frame);
        return popInt(frame) == b ? 1 : 0;
    }
    static jint ifIcmpne(OperandStack* frame) {
        const jint b = popInt(frame);
        return popInt(frame) != b ? 1 : 0;
    }

    // a (2 slots), b (2 slots) -> -1, 0 or 1. Compared directly: the sign of a - b would be
    // wrong when the difference overflows.
    static void lcmp(OperandStack* frame) {
        const jlong b = popLong(frame);
        const jlong a = popLong(frame);
        pushInt(frame, a < b ? -1 : (a > b ? 1 : 0));
    }

    // counts of dimensions (the first deepest) -> the new array (see newMultiArray in Arrays.h).
    static void newMultiArray(OperandStack* frame, const char* descriptor, jint dimensions);

private:
    static std::uint8_t* tagBase(OperandStack* frame) {
        return reinterpret_cast<std::uint8_t*>(frame) + sizeof(OperandStack);
    }
    static const std::uint8_t* tagBase(const OperandStack* frame) {
        return reinterpret_cast<const std::uint8_t*>(frame) + sizeof(OperandStack);
    }
    static void push(OperandStack* frame, const StackSlot value, const std::uint8_t tag) {
        *frame->valueTop++ = value;
        *frame->tagTop++ = tag;
    }
    static jint topInt(const OperandStack* frame) { return static_cast<jint>(frame->valueTop[-1]); }
    static void setTopInt(OperandStack* frame, const jint v) { frame->valueTop[-1] = v; }
    static void logDivisionByZero(const char* operation);
    template <typename Element> static Element loadElement(OperandStack* frame) {
        const jint index = popInt(frame);
        auto* array = static_cast<Array*>(popRef(frame));
        TARNWICK_CHECK_INDEX(array, index);
        return static_cast<const Element*>(array->elements)[index];
    }
    template <typename Element> static void storeElement(OperandStack* frame) {
        const jint value = popInt(frame);
        const jint index = popInt(frame);
        auto* array = static_cast<Array*>(popRef(frame));
        TARNWICK_CHECK_INDEX(array, index);
        static_cast<Element*>(array->elements)[index] = static_cast<Element>(value);
    }
};

// A frame record with room for Depth slots: the tag bytes directly after the record, then the
// value area. Declared as a local of the translated method, so its values lie on the native
// stack where the collector scans them.
template <int Depth> struct OperandFrame : OperandStack {
    std::uint8_t tags[Depth] = {};
    alignas(sizeof(StackSlot)) StackSlot values[Depth] = {};

    OperandFrame() {
        static_assert(offsetof(OperandFrame, tags) == sizeof(OperandStack), "tags follow the record");
        init(this, values);
    }
    OperandFrame(const OperandFrame&) = delete;
    OperandFrame& operator=(const OperandFrame&) = delete;
};

} // namespace runtime
