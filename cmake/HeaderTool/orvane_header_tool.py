#!/usr/bin/env python3
# Copyright Kelmora. All Rights Reserved.
"""Writes the reflection code for one header, as the engine's header tool does for the host build.

For a header that declares UCLASS, USTRUCT or UENUM types it writes <Name>.generated.h (the body
macros GENERATED_BODY expands to) and <Name>.gen.cpp (the registration the object system reads).
A header with none of them gets an empty pair, so a build never points at a stale file.

Usage: orvane_header_tool.py --module Name --output-dir Dir Header.h
Errors are printed as "file:line: error: message" and the exit code is 1.
"""

import argparse
import os
import re
import sys

IDENT_RE = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
NUMBER_RE = re.compile(r"(?:0[xX][0-9a-fA-F']+|[0-9][0-9a-zA-Z_'.]*)")
PUNCT = ["::", "->", "&&", "||", "<=", ">=", "==", "!=", "<<", "+=", "-=", "*=", "/=", "|=", "&=", "..."]

# Property specifiers and the property flags they set; None means accepted without a flag.
PROPERTY_SPECIFIERS = {
    "editanywhere": ["CPF_Edit"],
    "editinstanceonly": ["CPF_Edit", "CPF_DisableEditOnTemplate"],
    "editdefaultsonly": ["CPF_Edit", "CPF_DisableEditOnInstance"],
    "visibleanywhere": ["CPF_Edit", "CPF_EditConst"],
    "visibleinstanceonly": ["CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnTemplate"],
    "visibledefaultsonly": ["CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnInstance"],
    "blueprintreadwrite": ["CPF_BlueprintVisible"],
    "blueprintreadonly": ["CPF_BlueprintVisible", "CPF_BlueprintReadOnly"],
    "blueprintassignable": ["CPF_BlueprintAssignable"],
    "blueprintcallable": ["CPF_BlueprintCallable"],
    "blueprintauthorityonly": ["CPF_BlueprintAuthorityOnly"],
    "config": ["CPF_Config"],
    "globalconfig": ["CPF_GlobalConfig", "CPF_Config"],
    "transient": ["CPF_Transient"],
    "duplicatetransient": ["CPF_DuplicateTransient"],
    "nonpieduplicatetransient": ["CPF_NonPIEDuplicateTransient"],
    "textexporttransient": ["CPF_TextExportTransient"],
    "nontransactional": ["CPF_NonTransactional"],
    "savegame": ["CPF_SaveGame"],
    "instanced": ["CPF_PersistentInstance", "CPF_ExportObject", "CPF_InstancedReference"],
    "export": ["CPF_ExportObject"],
    "noclear": ["CPF_NoClear"],
    "editfixedsize": ["CPF_EditFixedSize"],
    "interp": ["CPF_Edit", "CPF_BlueprintVisible", "CPF_Interp"],
    "simpledisplay": ["CPF_SimpleDisplay"],
    "advanceddisplay": ["CPF_AdvancedDisplay"],
    "assetregistrysearchable": ["CPF_AssetRegistrySearchable"],
    "skipserialization": ["CPF_SkipSerialization"],
    "replicated": ["CPF_Net"],
    "replicatedusing": ["CPF_Net", "CPF_RepNotify"],
    "notreplicated": ["CPF_RepSkip"],
    "category": None,
    "meta": None,
    "blueprintgetter": None,
    "blueprintsetter": None,
    "getter": None,
    "setter": None,
    "fieldnotify": None,
    "editinline": None,
    "localized": None,
    "native": None,
    "ref": None,
    "serializetext": None,
    "repretry": None,
    "nonpietransient": None,
}

FUNCTION_SPECIFIERS = {
    "blueprintcallable": ["FUNC_BlueprintCallable"],
    "blueprintpure": ["FUNC_BlueprintCallable", "FUNC_BlueprintPure"],
    "blueprintimplementableevent": ["FUNC_Event", "FUNC_BlueprintEvent"],
    "blueprintnativeevent": ["FUNC_Event", "FUNC_BlueprintEvent"],
    "blueprintauthorityonly": ["FUNC_BlueprintAuthorityOnly"],
    "blueprintcosmetic": ["FUNC_BlueprintCosmetic"],
    "exec": ["FUNC_Exec"],
    "server": ["FUNC_Net", "FUNC_NetServer"],
    "client": ["FUNC_Net", "FUNC_NetClient"],
    "netmulticast": ["FUNC_Net", "FUNC_NetMulticast"],
    "reliable": ["FUNC_NetReliable"],
    "unreliable": None,
    "withvalidation": ["FUNC_NetValidate"],
    "callineditor": None,
    "category": None,
    "meta": None,
    "sealedevent": None,
    "blueprintinternaluseonly": None,
    "customthunk": None,
    "blueprintsetter": None,
    "blueprintgetter": None,
    "fieldnotify": None,
}

# Specifiers that are stored as metadata by the engine's header tool rather than as flags.
SPECIFIERS_AS_METADATA = {"category": "Category", "callineditor": "CallInEditor", "blueprintinternaluseonly": "BlueprintInternalUseOnly"}

CLASS_FLAG_SPECIFIERS = {
    "abstract": ["CLASS_Abstract"],
    "defaultconfig": ["CLASS_DefaultConfig"],
    "globaluserconfig": ["CLASS_GlobalUserConfig"],
    "projectuserconfig": ["CLASS_ProjectUserConfig"],
    "transient": ["CLASS_Transient"],
    "minimalapi": ["CLASS_MinimalAPI"],
    "editinlinenew": ["CLASS_EditInlineNew"],
    "collapsecategories": ["CLASS_CollapseCategories"],
    "perobjectconfig": ["CLASS_PerObjectConfig"],
    "deprecated": ["CLASS_Deprecated"],
    "hidedropdown": ["CLASS_HideDropDown"],
    "notplaceable": ["CLASS_NotPlaceable"],
    "const": ["CLASS_Const"],
    "defaulttoinstanced": ["CLASS_DefaultToInstanced"],
}

# Class specifiers stored as metadata by the engine's header tool.
CLASS_SPECIFIERS_AS_METADATA = {"blueprinttype": ("BlueprintType", "true"), "blueprintable": ("IsBlueprintBase", "true"), "notblueprintable": ("IsBlueprintBase", "false")}

BITFIELD_TYPES = {"uint8", "uint16", "uint32", "bool"}

# Object types follow the engine's naming rule: U for objects, A for actors.
CLASS_NAME_RE = re.compile(r"[UA][A-Z][A-Za-z0-9_]*")


class HeaderToolError(Exception):
    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: error: {message}")


class Token:
    __slots__ = ("text", "line", "comment")

    def __init__(self, text, line, comment=None):
        self.text = text
        self.line = line
        # The /** */ comment right before this token, kept for tool tips.
        self.comment = comment

    def __repr__(self):
        return f"Token({self.text!r}@{self.line})"


def tokenize(path, source):
    """Splits C++ source into tokens, dropping comments and preprocessor lines."""
    tokens = []
    i = 0
    line = 1
    n = len(source)
    at_line_start = True
    pending_doc = None
    while i < n:
        c = source[i]
        if c == "\n":
            line += 1
            i += 1
            at_line_start = True
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "\\" and i + 1 < n and source[i + 1] == "\n":
            i += 2
            line += 1
            continue
        if at_line_start and c == "#":
            # A preprocessor line, with its continuations; comments inside it end it too.
            while i < n and source[i] != "\n":
                if source[i] == "\\" and i + 1 < n and source[i + 1] == "\n":
                    i += 2
                    line += 1
                    continue
                if source.startswith("/*", i):
                    end = source.find("*/", i + 2)
                    if end < 0:
                        raise HeaderToolError(path, line, "unterminated comment")
                    line += source.count("\n", i, end)
                    i = end + 2
                    continue
                if source.startswith("//", i):
                    while i < n and source[i] != "\n":
                        i += 1
                    break
                i += 1
            continue
        at_line_start = False
        if source.startswith("//", i):
            while i < n and source[i] != "\n":
                i += 1
            continue
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            if end < 0:
                raise HeaderToolError(path, line, "unterminated comment")
            text = source[i:end + 2]
            if text.startswith("/**"):
                pending_doc = text
            line += text.count("\n")
            i = end + 2
            continue
        if c == '"' or c == "'" or (c in "uUL" and i + 1 < n and source[i + 1] in "\"'") or source.startswith('u8"', i):
            start = i
            start_line = line
            while source[i] not in "\"'":
                i += 1
            quote = source[i]
            if source[start:i].endswith("R") and quote == '"':
                raise HeaderToolError(path, line, "raw string literals are not supported in reflected headers")
            i += 1
            while True:
                if i >= n or source[i] == "\n":
                    raise HeaderToolError(path, start_line, "unterminated string or character literal")
                if source[i] == "\\":
                    i += 2
                    continue
                if source[i] == quote:
                    i += 1
                    break
                i += 1
            tokens.append(Token(source[start:i], start_line, pending_doc))
            pending_doc = None
            continue
        m = IDENT_RE.match(source, i)
        if m:
            tokens.append(Token(m.group(0), line, pending_doc))
            pending_doc = None
            i = m.end()
            continue
        m = NUMBER_RE.match(source, i)
        if m:
            tokens.append(Token(m.group(0), line, pending_doc))
            pending_doc = None
            i = m.end()
            continue
        for p in PUNCT:
            if source.startswith(p, i):
                tokens.append(Token(p, line, pending_doc))
                i += len(p)
                break
        else:
            # '>>' stays two tokens so that nested template arguments close one at a time.
            tokens.append(Token(c, line, pending_doc))
            i += 1
        pending_doc = None
    return tokens


def clean_doc_comment(comment):
    if not comment:
        return ""
    body = comment[3:-2]
    lines = []
    for raw in body.split("\n"):
        stripped = raw.strip()
        if stripped.startswith("*"):
            stripped = stripped[1:].strip()
        if stripped:
            lines.append(stripped)
    return "\n".join(lines)


def join_tokens(tokens):
    """Renders type tokens back to C++ with the engine's spacing (TMap<FString, int32>, UObject*)."""
    out = ""
    for tok in tokens:
        t = tok.text
        if not out:
            out = t
        elif t in ("<", ">", "*", "&", "::", ",") or out.endswith(("<", "::", ", ")):
            out += t if t != "," else ", "
        elif out.endswith(">") and IDENT_RE.fullmatch(t) is None:
            out += t
        else:
            out += " " + t
    return out.replace(" ,", ",")


class Parser:
    def __init__(self, path, tokens):
        self.path = path
        self.tokens = tokens
        self.pos = 0

    def error(self, message, token=None):
        if token is None:
            token = self.tokens[self.pos] if self.pos < len(self.tokens) else (self.tokens[-1] if self.tokens else Token("", 1))
        return HeaderToolError(self.path, token.line, message)

    def peek(self, offset=0):
        index = self.pos + offset
        return self.tokens[index] if index < len(self.tokens) else None

    def next(self, what="more input"):
        tok = self.peek()
        if tok is None:
            last = self.tokens[-1] if self.tokens else Token("", 1)
            raise HeaderToolError(self.path, last.line, f"unexpected end of file, expected {what}")
        self.pos += 1
        return tok

    def expect(self, text):
        tok = self.next(f"'{text}'")
        if tok.text != text:
            raise self.error(f"expected '{text}' but found '{tok.text}'", tok)
        return tok

    def expect_ident(self, what):
        tok = self.next(what)
        if not IDENT_RE.fullmatch(tok.text):
            raise self.error(f"expected {what} but found '{tok.text}'", tok)
        return tok

    def balanced(self, open_text, close_text):
        """Consumes a balanced group starting at the current opening token; returns the inner tokens."""
        start = self.expect(open_text)
        depth = 1
        inner = []
        while True:
            tok = self.peek()
            if tok is None:
                raise HeaderToolError(self.path, start.line, f"'{open_text}' is never closed")
            self.pos += 1
            if tok.text == open_text:
                depth += 1
            elif tok.text == close_text:
                depth -= 1
                if depth == 0:
                    return inner
            inner.append(tok)

    def skip_to_statement_end(self, start):
        """Skips to the ';' that ends the statement, over any bracketed groups."""
        depth = 0
        while True:
            tok = self.peek()
            if tok is None:
                raise HeaderToolError(self.path, start.line, "declaration is never ended with ';'")
            self.pos += 1
            if tok.text in "({[":
                depth += 1
            elif tok.text in ")}]":
                depth -= 1
                if depth < 0:
                    raise self.error(f"unexpected '{tok.text}'", tok)
            elif tok.text == ";" and depth == 0:
                return


def split_top_level(tokens, separator=","):
    parts = [[]]
    depth = 0
    for tok in tokens:
        if tok.text in "([{<":
            depth += 1
        elif tok.text in ")]}>":
            depth -= 1
        if tok.text == separator and depth == 0:
            parts.append([])
        else:
            parts[-1].append(tok)
    return [p for p in parts if p]


def unquote(text):
    if len(text) >= 2 and text[0] == '"' and text[-1] == '"':
        return text[1:-1].replace('\\"', '"').replace("\\\\", "\\")
    return text


def parse_specifiers(path, tokens, line):
    """Parses 'A, B=C, meta=(K=V, K2)' into (list of (key, value), dict of metadata)."""
    specifiers = []
    metadata = []
    for part in split_top_level(tokens):
        key = part[0].text
        if not IDENT_RE.fullmatch(key):
            raise HeaderToolError(path, part[0].line, f"malformed specifier '{join_tokens(part)}'")
        if len(part) == 1:
            specifiers.append((key, None))
            continue
        if part[1].text != "=":
            raise HeaderToolError(path, part[0].line, f"malformed specifier '{join_tokens(part)}'")
        value_tokens = part[2:]
        if not value_tokens:
            raise HeaderToolError(path, part[0].line, f"specifier '{key}' has no value")
        if key.lower() == "meta":
            if value_tokens[0].text != "(" or value_tokens[-1].text != ")":
                raise HeaderToolError(path, part[0].line, "meta must be written meta=(Key=Value, ...)")
            for entry in split_top_level(value_tokens[1:-1]):
                meta_key = entry[0].text
                if not IDENT_RE.fullmatch(meta_key):
                    raise HeaderToolError(path, entry[0].line, f"malformed metadata '{join_tokens(entry)}'")
                if len(entry) == 1:
                    metadata.append((meta_key, ""))
                elif entry[1].text == "=" and len(entry) > 2:
                    metadata.append((meta_key, unquote("".join(t.text for t in entry[2:])) if len(entry) == 3 else join_tokens(entry[2:])))
                else:
                    raise HeaderToolError(path, entry[0].line, f"malformed metadata '{join_tokens(entry)}'")
            continue
        if value_tokens[0].text == "(":
            value = join_tokens(value_tokens[1:-1])
        else:
            value = unquote("".join(t.text for t in value_tokens)) if len(value_tokens) == 1 else join_tokens(value_tokens)
        specifiers.append((key, value))
    return specifiers, metadata


def c_string(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    return f'TEXT("{escaped}")'


def strip_prefix(name):
    """The engine's object name for a native type: UMyClass -> MyClass, FMyStruct -> MyStruct."""
    if len(name) > 1 and name[0] in "UAF" and name[1].isupper():
        return name[1:]
    return name


class ReflectedProperty:
    def __init__(self, name, type_text, line, flags, metadata, specifiers, bitfield, array_dim):
        self.name = name
        self.type_text = type_text
        self.line = line
        self.flags = flags
        self.metadata = metadata
        self.specifiers = specifiers
        self.bitfield = bitfield
        self.array_dim = array_dim


class ReflectedFunction:
    def __init__(self, name, line, flags, metadata, specifiers, return_type="void", params=None):
        self.name = name
        self.line = line
        self.flags = flags
        self.metadata = metadata
        self.specifiers = specifiers
        self.return_type = return_type
        self.params = params  # (type as declared, name); None when not parsed

    def is_event(self):
        return "FUNC_BlueprintEvent" in self.flags

    def is_implementable_event(self):
        return self.is_event() and "FUNC_Native" not in self.flags

    def is_host_callable(self):
        """Host only: a native function whose every parameter type the host can hold, marked so in a host header."""
        return any(key == "HostCallable" for key, _ in self.metadata)

    def has_parms_block(self):
        """
        Events always register their parameters; native functions when every type is a plain value type, or when
        a host header marks them HostCallable (their types are then the host's to keep supported).
        """
        if self.is_implementable_event():
            return True
        if self.params is None:
            return False
        if self.is_host_callable():
            return True
        types = [value_type(declared) for declared, _ in self.params] + ([value_type(self.return_type)] if self.return_type != "void" else [])
        return all(t in PLAIN_PARAMETER_TYPES for t in types)

    def has_native_thunk(self):
        """A native function with a parameter block runs through ProcessEvent as the engine's exec thunk would."""
        return self.has_parms_block() and not self.is_implementable_event()


# Parameter types a native function's registered parameter block may hold (others leave it unregistered).
PLAIN_PARAMETER_TYPES = {"bool", "uint8", "int32", "int64", "uint32", "float", "double", "FString", "FName", "FText"}

# Words before a function's name that are not part of its return type.
FUNCTION_QUALIFIERS = {"static", "virtual", "inline", "FORCEINLINE", "explicit", "constexpr"}


def parse_parameters(path, line, tokens):
    """Splits a parameter list into (declared type, name) pairs, dropping default values."""
    params = []
    if not tokens or (len(tokens) == 1 and tokens[0].text == "void"):
        return params
    for part in split_top_level(tokens):
        if not part:
            continue
        cut = next((i for i, tok in enumerate(part) if tok.text == "="), len(part))
        declared = part[:cut]
        if len(declared) < 2 or not IDENT_RE.fullmatch(declared[-1].text):
            raise HeaderToolError(path, line, "every parameter of a blueprint event needs a type and a name")
        params.append((join_tokens(declared[:-1]), declared[-1].text))
    return params


def value_type(declared):
    """The type a parameter block holds for a parameter declared as `declared` (const and & dropped)."""
    text = declared.strip()
    if text.startswith("const "):
        text = text[len("const "):]
    return text.rstrip("&").strip()


class ReflectedType:
    def __init__(self, kind, name, line):
        self.kind = kind  # "class", "struct" or "enum"
        self.name = name
        self.line = line
        self.super_name = None
        self.specifiers = []
        self.metadata = []
        self.properties = []
        self.functions = []
        self.body_line = None
        self.body_macro = None
        self.has_initializer_constructor = False
        self.has_constructor = False
        self.enum_entries = []  # (name, metadata)
        self.enum_form = None  # "EnumClass" or "Regular"


def flags_expression(flag_names, empty):
    unique = []
    for name in flag_names:
        if name not in unique:
            unique.append(name)
    return " | ".join(unique) if unique else empty


class HeaderParser(Parser):
    MARKERS = ("UCLASS", "USTRUCT", "UENUM", "UINTERFACE", "UDELEGATE")

    def __init__(self, path, tokens):
        super().__init__(path, tokens)
        self.types = []

    def parse(self):
        while self.peek() is not None:
            tok = self.peek()
            if tok.text in ("UCLASS", "USTRUCT"):
                self.parse_class_or_struct()
            elif tok.text == "UENUM":
                self.parse_enum()
            elif tok.text in ("UINTERFACE", "UDELEGATE"):
                raise self.error(f"{tok.text} is not supported by the host's header tool", tok)
            elif tok.text in ("UPROPERTY", "UFUNCTION", "GENERATED_BODY", "GENERATED_UCLASS_BODY", "GENERATED_USTRUCT_BODY"):
                raise self.error(f"{tok.text} outside a UCLASS or USTRUCT", tok)
            else:
                self.pos += 1
        return self.types

    def parse_class_or_struct(self):
        marker = self.next()
        kind = "class" if marker.text == "UCLASS" else "struct"
        if self.peek() is None or self.peek().text != "(":
            raise self.error(f"expected '(' after {marker.text}", self.peek() or marker)
        specifier_tokens = self.balanced("(", ")")
        keyword = self.next("class or struct")
        if keyword.text not in ("class", "struct"):
            raise self.error(f"{marker.text} must be followed by a class or struct declaration, found '{keyword.text}'", keyword)
        name_tok = self.expect_ident("a type name")
        # An export macro (MODULE_API) may stand between the keyword and the name.
        if name_tok.text.endswith("_API") and self.peek() is not None and IDENT_RE.fullmatch(self.peek().text) and self.peek().text != "final":
            name_tok = self.expect_ident("a type name")
        reflected = ReflectedType(kind, name_tok.text, name_tok.line)
        reflected.specifiers, reflected.metadata = parse_specifiers(self.path, specifier_tokens, marker.line)
        if marker.comment and not any(k == "ToolTip" for k, _ in reflected.metadata):
            tip = clean_doc_comment(marker.comment)
            if tip:
                reflected.metadata.append(("ToolTip", tip))
        if self.peek() is not None and self.peek().text == "final":
            self.pos += 1
        if self.peek() is not None and self.peek().text == ":":
            self.pos += 1
            bases = []
            while True:
                tok = self.next("a base class")
                if tok.text in ("public", "protected", "private", "virtual"):
                    continue
                base = [tok]
                while self.peek() is not None and self.peek().text not in (",", "{"):
                    base.append(self.next())
                bases.append(base)
                if self.peek() is None:
                    raise self.error("expected '{' after the base classes", tok)
                if self.peek().text == "{":
                    break
                self.pos += 1
            reflected.super_name = join_tokens(bases[0])
            if not IDENT_RE.fullmatch(reflected.super_name.replace("::", "_")):
                raise self.error(f"unsupported base class '{reflected.super_name}'", bases[0][0])
        if kind == "class" and not reflected.super_name:
            raise self.error(f"UCLASS '{reflected.name}' must derive from UObject or a subclass of it", name_tok)
        if self.peek() is None or self.peek().text != "{":
            raise self.error(f"expected '{{' to open the body of '{reflected.name}'", self.peek() or name_tok)
        self.parse_body(reflected)
        if self.peek() is None or self.peek().text != ";":
            raise self.error(f"expected ';' after the body of '{reflected.name}'", self.peek() or name_tok)
        self.pos += 1
        if reflected.body_line is None:
            raise HeaderToolError(self.path, reflected.line, f"'{reflected.name}' has no GENERATED_BODY()")
        self.types.append(reflected)

    def parse_body(self, reflected):
        open_tok = self.expect("{")
        depth = 1
        while True:
            tok = self.peek()
            if tok is None:
                raise HeaderToolError(self.path, open_tok.line, f"the body of '{reflected.name}' is never closed")
            if depth == 1 and tok.text in ("GENERATED_BODY", "GENERATED_UCLASS_BODY", "GENERATED_USTRUCT_BODY"):
                self.pos += 1
                self.balanced("(", ")") if self.peek() is not None and self.peek().text == "(" else None
                if reflected.body_line is not None:
                    raise self.error(f"'{reflected.name}' has more than one {tok.text}", tok)
                reflected.body_line = tok.line
                reflected.body_macro = tok.text
                continue
            if depth == 1 and tok.text == "UPROPERTY":
                reflected.properties.append(self.parse_property())
                continue
            if depth == 1 and tok.text == "UFUNCTION":
                if reflected.kind != "class":
                    raise self.error("UFUNCTION is only allowed in a UCLASS", tok)
                reflected.functions.append(self.parse_function())
                continue
            if tok.text in self.MARKERS or tok.text in ("UPROPERTY", "UFUNCTION"):
                raise self.error(f"{tok.text} is not allowed here (nested inside '{reflected.name}')", tok)
            if depth == 1 and tok.text == reflected.name and self.peek(1) is not None and self.peek(1).text == "(" and self.tokens[self.pos - 1].text != "~":
                self.note_constructor(reflected)
                continue
            self.pos += 1
            if tok.text == "{":
                depth += 1
            elif tok.text == "}":
                depth -= 1
                if depth == 0:
                    return

    def note_constructor(self, reflected):
        self.pos += 1
        params = self.balanced("(", ")")
        texts = [t.text for t in params]
        reflected.has_constructor = True
        if "FObjectInitializer" in texts:
            reflected.has_initializer_constructor = True

    def parse_property(self):
        marker = self.next()
        if self.peek() is None or self.peek().text != "(":
            raise self.error("expected '(' after UPROPERTY", self.peek() or marker)
        specifiers, metadata = parse_specifiers(self.path, self.balanced("(", ")"), marker.line)
        if self.peek() is None or self.peek().text in ("}", ";") or self.peek().text in self.MARKERS or self.peek().text in ("UPROPERTY", "UFUNCTION"):
            raise self.error("UPROPERTY is not followed by a member declaration", marker)
        start = self.pos
        self.skip_to_statement_end(marker)
        decl = self.tokens[start:self.pos - 1]
        if not decl:
            raise self.error("UPROPERTY is not followed by a member declaration", marker)
        # The declarator ends at a default initialiser ('=' or '{') or a bitfield width (':').
        end = len(decl)
        angle = 0
        for index, tok in enumerate(decl):
            if tok.text == "<":
                angle += 1
            elif tok.text == ">":
                angle -= 1
            elif angle == 0 and tok.text in ("=", "{", ":"):
                end = index
                break
        declarator = decl[:end]
        rest = decl[end:]
        angle = 0
        for tok in declarator:
            if tok.text in ("static", "constexpr", "typedef", "using", "friend"):
                raise self.error(f"a UPROPERTY cannot be '{tok.text}'", tok)
            if tok.text == "(":
                raise self.error("UPROPERTY must declare a member variable, not a function", tok)
            if tok.text == "<":
                angle += 1
            elif tok.text == ">":
                angle -= 1
            elif tok.text == "," and angle == 0:
                raise self.error("declare one UPROPERTY per statement", tok)
        array_dim = None
        if declarator and declarator[-1].text == "]":
            if len(declarator) < 4 or declarator[-3].text != "[":
                raise self.error("malformed array dimension", declarator[-1])
            array_dim = declarator[-2].text
            declarator = declarator[:-3]
        if len(declarator) < 2:
            raise self.error("UPROPERTY member needs a type and a name", declarator[0] if declarator else marker)
        name_tok = declarator[-1]
        if not IDENT_RE.fullmatch(name_tok.text):
            raise self.error(f"expected a member name but found '{name_tok.text}'", name_tok)
        type_tokens = declarator[:-1]
        opens = sum(1 for t in type_tokens if t.text == "<")
        closes = sum(1 for t in type_tokens if t.text == ">")
        if opens != closes:
            raise self.error(f"unbalanced template brackets in the type of '{name_tok.text}'", type_tokens[0])
        type_text = join_tokens(type_tokens)
        if type_text.startswith("mutable "):
            type_text = type_text[len("mutable "):]
        bitfield = False
        if rest and rest[0].text == ":":
            if len(rest) < 2 or rest[1].text != "1":
                raise self.error(f"bitfield UPROPERTY '{name_tok.text}' must be one bit wide", rest[0])
            if type_text not in BITFIELD_TYPES:
                raise self.error(f"bitfield UPROPERTY '{name_tok.text}' must be uint8, uint16, uint32 or bool, not '{type_text}'", rest[0])
            bitfield = True
        flags = []
        for key, value in specifiers:
            lowered = key.lower()
            if lowered not in PROPERTY_SPECIFIERS:
                raise HeaderToolError(self.path, marker.line, f"unknown UPROPERTY specifier '{key}' on '{name_tok.text}'")
            flags.extend(PROPERTY_SPECIFIERS[lowered] or [])
            if lowered in SPECIFIERS_AS_METADATA and value is not None:
                metadata.append((SPECIFIERS_AS_METADATA[lowered], value))
        if marker.comment and not any(k == "ToolTip" for k, _ in metadata):
            tip = clean_doc_comment(marker.comment)
            if tip:
                metadata.append(("ToolTip", tip))
        return ReflectedProperty(name_tok.text, type_text, name_tok.line, flags, metadata, specifiers, bitfield, array_dim)

    def parse_function(self):
        marker = self.next()
        if self.peek() is None or self.peek().text != "(":
            raise self.error("expected '(' after UFUNCTION", self.peek() or marker)
        specifiers, metadata = parse_specifiers(self.path, self.balanced("(", ")"), marker.line)
        name_tok = None
        flags = ["FUNC_Native"]
        return_tokens = []
        while True:
            tok = self.next("a function declaration")
            if tok.text in (";", "{", "}"):
                raise self.error("UFUNCTION is not followed by a function declaration", tok)
            if tok.text == "operator":
                raise self.error("operators cannot be UFUNCTIONs", tok)
            if tok.text == "static":
                flags.append("FUNC_Static")
            if self.peek() is not None and self.peek().text == "(" and IDENT_RE.fullmatch(tok.text):
                name_tok = tok
                break
            if tok.text not in FUNCTION_QUALIFIERS and not tok.text.endswith("_API"):
                return_tokens.append(tok)
        param_tokens = self.balanced("(", ")")
        # Qualifiers, then either ';' or an inline body.
        while True:
            tok = self.peek()
            if tok is None:
                raise self.error(f"declaration of '{name_tok.text}' is never ended", name_tok)
            if tok.text == ";":
                self.pos += 1
                break
            if tok.text == "{":
                self.balanced("{", "}")
                if self.peek() is not None and self.peek().text == ";":
                    self.pos += 1
                break
            if tok.text == "const":
                flags.append("FUNC_Const")
            self.pos += 1
        for key, value in specifiers:
            lowered = key.lower()
            if lowered not in FUNCTION_SPECIFIERS:
                raise HeaderToolError(self.path, marker.line, f"unknown UFUNCTION specifier '{key}' on '{name_tok.text}'")
            flags.extend(FUNCTION_SPECIFIERS[lowered] or [])
            if lowered in SPECIFIERS_AS_METADATA:
                metadata.append((SPECIFIERS_AS_METADATA[lowered], value if value is not None else "true"))
        if marker.comment and not any(k == "ToolTip" for k, _ in metadata):
            tip = clean_doc_comment(marker.comment)
            if tip:
                metadata.append(("ToolTip", tip))
        if "FUNC_BlueprintEvent" in flags and not any(k.lower() == "blueprintnativeevent" for k, _ in specifiers):
            # An implementable event has no C++ body: the generated one calls whatever the blueprint implements.
            flags.remove("FUNC_Native")
            if "FUNC_Static" in flags:
                raise HeaderToolError(self.path, marker.line, f"blueprint event '{name_tok.text}' cannot be static")
            params = parse_parameters(self.path, marker.line, param_tokens)
            return ReflectedFunction(name_tok.text, name_tok.line, flags, metadata, specifiers, join_tokens(return_tokens) or "void", params)
        try:
            params = parse_parameters(self.path, marker.line, param_tokens)
        except HeaderToolError:
            params = None
        return ReflectedFunction(name_tok.text, name_tok.line, flags, metadata, specifiers, join_tokens(return_tokens) or "void", params)

    def parse_enum(self):
        marker = self.next()
        if self.peek() is None or self.peek().text != "(":
            raise self.error("expected '(' after UENUM", self.peek() or marker)
        specifiers, metadata = parse_specifiers(self.path, self.balanced("(", ")"), marker.line)
        tok = self.next("an enum declaration")
        if tok.text == "namespace":
            raise self.error("namespaced UENUMs are not supported by the host's header tool; use 'enum class'", tok)
        if tok.text != "enum":
            raise self.error(f"UENUM must be followed by an enum declaration, found '{tok.text}'", tok)
        form = "Regular"
        if self.peek() is not None and self.peek().text in ("class", "struct"):
            self.pos += 1
            form = "EnumClass"
        name_tok = self.expect_ident("an enum name")
        reflected = ReflectedType("enum", name_tok.text, name_tok.line)
        reflected.enum_form = form
        reflected.specifiers = specifiers
        reflected.metadata = metadata
        if marker.comment:
            tip = clean_doc_comment(marker.comment)
            if tip:
                reflected.metadata.append(("ToolTip", tip))
        if self.peek() is not None and self.peek().text == ":":
            self.pos += 1
            while self.peek() is not None and self.peek().text != "{":
                self.pos += 1
        if self.peek() is None or self.peek().text != "{":
            raise self.error(f"expected '{{' to open the enumerators of '{reflected.name}'", self.peek() or name_tok)
        open_tok = self.peek()
        body = self.balanced("{", "}")
        if self.peek() is None or self.peek().text != ";":
            raise self.error(f"expected ';' after the enum '{reflected.name}'", self.peek() or open_tok)
        self.pos += 1
        for entry in split_top_level(body):
            entry_name = entry[0]
            if not IDENT_RE.fullmatch(entry_name.text):
                raise HeaderToolError(self.path, entry_name.line, f"malformed enumerator '{join_tokens(entry)}' in '{reflected.name}'")
            entry_meta = []
            for index, part in enumerate(entry):
                if part.text == "UMETA":
                    if index + 1 >= len(entry) or entry[index + 1].text != "(" or entry[-1].text != ")":
                        raise HeaderToolError(self.path, part.line, "UMETA must be written UMETA(Key=Value, ...)")
                    _, entry_meta = parse_specifiers(self.path, [Token("meta", part.line), Token("=", part.line)] + entry[index + 1:], part.line)
                    break
            if len(entry) > 1 and entry[1].text not in ("=", "UMETA"):
                raise HeaderToolError(self.path, entry[1].line, f"malformed enumerator '{join_tokens(entry)}' in '{reflected.name}'")
            reflected.enum_entries.append((entry_name.text, entry_meta))
        if not reflected.enum_entries:
            raise HeaderToolError(self.path, name_tok.line, f"UENUM '{reflected.name}' has no enumerators")
        self.types.append(reflected)


def file_id(module, header_path):
    stem = os.path.splitext(os.path.basename(header_path))[0]
    return "FID_" + re.sub(r"[^A-Za-z0-9_]", "_", f"{module}_{stem}_h")


def metadata_list(pairs):
    if not pairs:
        return "{}"
    return "{" + ", ".join("{" + c_string(k) + ", " + c_string(v) + "}" for k, v in pairs) + "}"


def write_output(path, text):
    # Always rewritten, so the output is never older than the header it came from.
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
    os.replace(tmp, path)


def generate(module, header_path, types):
    header_name = os.path.basename(header_path)
    stem = os.path.splitext(header_name)[0]
    fid = file_id(module, header_path)
    package = f"/Script/{module}"

    gh = []
    gh.append("// Generated by the host's header tool. Do not edit; do not commit.")
    gh.append(f"// Reflection body macros for {header_name}.")
    gh.append("#include \"UObject/ObjectMacros.h\"")
    gh.append("")
    gh.append(f"#ifdef {fid}_GENERATED_H")
    gh.append(f"#error \"{stem}.generated.h already included; a header can only be included once per translation unit\"")
    gh.append("#endif")
    gh.append(f"#define {fid}_GENERATED_H")
    gh.append("")

    for t in types:
        if t.kind == "class":
            uclass_body = t.body_macro == "GENERATED_UCLASS_BODY"
            macro = f"{fid}_{t.body_line}_GENERATED_BODY" + ("_LEGACY" if uclass_body else "")
            uclass_body = t.body_macro == "GENERATED_UCLASS_BODY"
            lines = [
                "public:",
                f"DECLARE_CLASS({t.name}, {t.super_name}, COMPILED_IN_FLAGS(0), CASTCLASS_None, TEXT(\"{package}\"), NO_API)",
                f"friend struct Z_Construct_UClass_{t.name}_Statics;",
                f"{t.name}({t.name}&&) = delete;",
                f"{t.name}(const {t.name}&) = delete;",
            ]
            if uclass_body:
                lines.append(f"NO_API {t.name}(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());")
            elif not t.has_constructor:
                # The deleted copy constructors hide the implicit default one; declare it, as the engine's tool does.
                lines.append(f"NO_API {t.name}();")
            if uclass_body or t.has_initializer_constructor:
                lines.append(f"DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL({t.name})")
            else:
                lines.append(f"DEFINE_DEFAULT_CONSTRUCTOR_CALL({t.name})")
            lines.append("public:" if uclass_body else "private:")
            gh.append(f"#define {macro} \\")
            gh.extend(f"\t{line} \\" for line in lines)
            gh.append("")
            gh.append(f"class {t.name};")
            gh.append(f"template <> UClass* StaticClass<{t.name}>();")
            gh.append("")
        elif t.kind == "struct":
            macro = f"{fid}_{t.body_line}_GENERATED_BODY"
            lines = [f"friend struct Z_Construct_UScriptStruct_{t.name}_Statics;", "static UScriptStruct* StaticStruct();"]
            if t.super_name:
                lines.append(f"typedef {t.super_name} Super;")
            gh.append(f"#define {macro} \\")
            gh.extend(f"\t{line} \\" for line in lines)
            gh.append("")
            gh.append(f"struct {t.name};")
            gh.append(f"template <> UScriptStruct* StaticStruct<{t.name}>();")
            gh.append("")
        else:
            underlying = getattr(t, "underlying", None)
            if t.enum_form == "EnumClass":
                gh.append(f"enum class {t.name} : {underlying or 'int'};")
            elif underlying:
                gh.append(f"enum {t.name} : {underlying};")
            if t.enum_form == "EnumClass" or underlying:
                gh.append(f"template <> UEnum* StaticEnum<{t.name}>();")
                gh.append("")

    gh.append("#undef CURRENT_FILE_ID")
    gh.append(f"#define CURRENT_FILE_ID {fid}")
    gh.append("")

    cpp = []
    cpp.append("// Generated by the host's header tool. Do not edit; do not commit.")
    cpp.append(f"// Reflection registration for {header_name}.")
    cpp.append("#include \"UObject/GeneratedCppIncludes.h\"")
    cpp.append(f"#include \"{header_path}\"")
    cpp.append("")
    cpp.append("// Member offsets of classes with virtual functions are taken with offsetof, as the engine does.")
    cpp.append("#pragma GCC diagnostic ignored \"-Winvalid-offsetof\"")
    cpp.append("")
    # Classes named in property types may be only forward-declared here; their StaticClass is
    # reached through the function each class's generated code exports, as in the engine.
    class_names = []
    for t in types:
        if t.kind == "class":
            class_names.append(t.name)
        for p in t.properties:
            for ident in IDENT_RE.findall(p.type_text):
                if CLASS_NAME_RE.fullmatch(ident):
                    class_names.append(ident)
    for name in dict.fromkeys(class_names):
        cpp.append(f"UClass* Z_Construct_UClass_{name}_NoRegister();")
        cpp.append("template <>")
        cpp.append(f"struct UE::CoreUObject::Host::TClassGetter<{name}>")
        cpp.append("{")
        cpp.append(f"\tstatic UClass* Get() {{ return Z_Construct_UClass_{name}_NoRegister(); }}")
        cpp.append("};")
    if class_names:
        cpp.append("")
    for t in types:
        if t.kind == "enum":
            cpp.extend(generate_enum(t, package))
        else:
            cpp.extend(generate_struct(t, package, header_path))
    return "\n".join(gh) + "\n", "\n".join(cpp) + "\n"


def generate_struct(t, package, header_path):
    is_class = t.kind == "class"
    statics = f"Z_Construct_{'UClass' if is_class else 'UScriptStruct'}_{t.name}_Statics"
    out = []
    for f in t.functions:
        if f.has_parms_block():
            out.extend(generate_event_parms(t, f))
    out += [f"struct {statics}", "{"]
    for p in t.properties:
        if p.bitfield:
            out.append(f"\tUE_HOST_NO_SANITIZE_VPTR static void SetBit_{p.name}(void* Object) {{ static_cast<{t.name}*>(Object)->{p.name} = 1; }}")
    for f in t.functions:
        if f.has_native_thunk():
            out.extend(generate_native_thunk(t, f))
    out.append(f"\tstatic void Build(UE::CoreUObject::Host::FStructBuilder& Builder)")
    out.append("\t{")
    for p in t.properties:
        flags = flags_expression(p.flags, "CPF_None")
        # Host only: a blueprint variable's name may hold blanks, which a C++ member name cannot.
        reflected_name = next((value for key, value in p.metadata if key == "HostPropertyName"), p.name)
        meta = metadata_list([(key, value) for key, value in p.metadata if key != "HostPropertyName"])
        where = f"// {os.path.basename(header_path)}:{p.line} {p.type_text} {p.name}"
        if p.bitfield:
            out.append(f"\t\t{where}")
            out.append(f"\t\tBuilder.AddBitfieldBool({c_string(reflected_name)}, &SetBit_{p.name}, sizeof({t.name}), alignof({t.name}), sizeof({p.type_text}), EPropertyFlags({flags}), {meta});")
        else:
            out.append(f"\t\t{where}")
            out.append(f"\t\tBuilder.AddProperty<decltype({t.name}::{p.name})>({c_string(reflected_name)}, offsetof({t.name}, {p.name}), EPropertyFlags({flags}), {meta}, {c_string(p.type_text)});")
    for f in t.functions:
        if f.has_parms_block():
            parms = event_parms_name(t.name, f.name)
            out.append(f"\t\t{{")
            out.append(f"\t\t\tUFunction* Function = Builder.AddFunction({c_string(f.name)}, EFunctionFlags({flags_expression(f.flags, 'FUNC_None')}), {metadata_list([(k, v) for k, v in f.metadata if k != 'HostCallable'])});")
            out.append(f"\t\t\tUE::CoreUObject::Host::FStructBuilder Parameters(Function);")
            for declared, pname in f.params:
                pflags = ["CPF_Parm"]
                if declared.strip().startswith("const "):
                    pflags.append("CPF_ConstParm")
                elif declared.strip().endswith("&"):
                    pflags.extend(["CPF_OutParm", "CPF_ReferenceParm"])
                out.append(f"\t\t\tParameters.AddProperty<{value_type(declared)}>({c_string(pname)}, offsetof({parms}, {pname}), EPropertyFlags({flags_expression(pflags, 'CPF_None')}), {{}}, {c_string(value_type(declared))});")
            if f.return_type != "void":
                out.append(f"\t\t\tParameters.AddProperty<{value_type(f.return_type)}>(TEXT(\"ReturnValue\"), offsetof({parms}, ReturnValue), EPropertyFlags(CPF_Parm | CPF_OutParm | CPF_ReturnParm), {{}}, {c_string(value_type(f.return_type))});")
            out.append(f"\t\t\tFunction->ParmsSize = uint16(sizeof({parms}));")
            out.append(f"\t\t\tFunction->NumParms = uint8({len(f.params) + (0 if f.return_type == 'void' else 1)});")
            if f.has_native_thunk():
                out.append(f"\t\t\tFunction->HostScript = &exec{f.name};")
            out.append(f"\t\t}}")
        else:
            out.append(f"\t\tBuilder.AddFunction({c_string(f.name)}, EFunctionFlags({flags_expression(f.flags, 'FUNC_None')}), {metadata_list([(k, v) for k, v in f.metadata if k != 'HostCallable'])});")
    out.append("\t}")
    out.append("};")
    out.append("")
    for f in t.functions:
        if f.is_implementable_event():
            out.extend(generate_event_body(t, f))
    name = strip_prefix(t.name)
    if is_class:
        class_flags = ["CLASS_Native"]
        config_name = ""
        class_meta = list(t.metadata)
        for key, value in t.specifiers:
            lowered = key.lower()
            if lowered == "config":
                config_name = value or ""
                class_flags.append("CLASS_Config")
            elif lowered in CLASS_FLAG_SPECIFIERS:
                class_flags.extend(CLASS_FLAG_SPECIFIERS[lowered])
            elif lowered in CLASS_SPECIFIERS_AS_METADATA:
                class_meta.append(CLASS_SPECIFIERS_AS_METADATA[lowered])
            elif value is not None and lowered in ("displayname", "classgroup", "hidecategories", "showcategories"):
                class_meta.append((key, value))
        out.append(f"UClass* {t.name}::GetPrivateStaticClass()")
        out.append("{")
        out.append("\tstatic UE::CoreUObject::Host::FClassRegistration Registration{")
        out.append(f"\t\t{c_string(name)}, {c_string(package)}, {c_string(config_name)},")
        out.append(f"\t\tEClassFlags({flags_expression(class_flags, 'CLASS_None')}),")
        out.append(f"\t\tsizeof({t.name}), alignof({t.name}),")
        out.append(f"\t\t&{t.super_name}::StaticClass,")
        out.append(f"\t\t&{t.name}::__DefaultConstructor,")
        out.append(f"\t\t&{statics}::Build,")
        out.append(f"\t\t{metadata_list(class_meta)}}};")
        out.append("\treturn UE::CoreUObject::Host::GetStaticClass(Registration);")
        out.append("}")
        if t.body_macro != "GENERATED_UCLASS_BODY" and not t.has_constructor:
            out.append(f"{t.name}::{t.name}() {{}}")
        out.append(f"UClass* Z_Construct_UClass_{t.name}_NoRegister()")
        out.append("{")
        out.append(f"\treturn {t.name}::StaticClass();")
        out.append("}")
        out.append(f"template <> UClass* StaticClass<{t.name}>()")
        out.append("{")
        out.append(f"\treturn {t.name}::StaticClass();")
        out.append("}")
        out.append(f"static UE::CoreUObject::Host::FCompiledInDefer Z_CompiledInDefer_UClass_{t.name}(&{t.name}::StaticClass);")
    else:
        super_struct = f"&{t.super_name}::StaticStruct" if t.super_name else "nullptr"
        out.append(f"UScriptStruct* {t.name}::StaticStruct()")
        out.append("{")
        out.append("\tstatic UE::CoreUObject::Host::FStructRegistration Registration{")
        out.append(f"\t\t{c_string(name)}, {c_string(package)},")
        out.append(f"\t\tUE::CoreUObject::Host::MakeStructOps<{t.name}>(),")
        out.append(f"\t\t{super_struct},")
        out.append(f"\t\t&{statics}::Build,")
        out.append(f"\t\t{metadata_list(t.metadata)}}};")
        out.append("\treturn UE::CoreUObject::Host::GetStaticStruct(Registration);")
        out.append("}")
        out.append(f"template <> UScriptStruct* StaticStruct<{t.name}>()")
        out.append("{")
        out.append(f"\treturn {t.name}::StaticStruct();")
        out.append("}")
        out.append(f"static UE::CoreUObject::Host::FCompiledInDefer Z_CompiledInDefer_UScriptStruct_{t.name}(&{t.name}::StaticStruct);")
    out.append("")
    return out


def event_parms_name(class_name, function_name):
    return f"{strip_prefix(class_name)}_event{function_name}_Parms"


def generate_event_parms(t, f):
    """The parameter block of a function called through reflection: its parameters, then its return value."""
    out = [f"struct {event_parms_name(t.name, f.name)}", "{"]
    for declared, pname in f.params:
        out.append(f"\t{value_type(declared)} {pname}{{}};")
    if f.return_type != "void":
        out.append(f"\t{value_type(f.return_type)} ReturnValue{{}};")
    out.append("};")
    return out


def generate_native_thunk(t, f):
    """What the engine's exec thunk does: call the native function with the parameter block's values, store the result."""
    parms = event_parms_name(t.name, f.name)
    args = ", ".join(f"Parms.{pname}" for _, pname in f.params)
    if "FUNC_Static" in f.flags:
        call = f"{t.name}::{f.name}({args})"
    else:
        call = f"static_cast<{t.name}*>(Object)->{f.name}({args})"
    out = [f"\tstatic void exec{f.name}(UObject* Object, void* RawParms)", "\t{"]
    out.append(f"\t\t{parms}& Parms = *static_cast<{parms}*>(RawParms);")
    out.append(f"\t\t(void)Parms;")
    out.append(f"\t\t(void)Object;")
    if f.return_type != "void":
        out.append(f"\t\tParms.ReturnValue = {call};")
    else:
        out.append(f"\t\t{call};")
    out.append("\t}")
    return out


def generate_event_body(t, f):
    """The C++ body of a blueprint-implementable event: it calls the blueprint's implementation through ProcessEvent."""
    parms = event_parms_name(t.name, f.name)
    out = []
    signature = ", ".join(f"{declared} {pname}" for declared, pname in f.params)
    const = " const" if "FUNC_Const" in f.flags else ""
    out.append(f"{f.return_type} {t.name}::{f.name}({signature}){const}")
    out.append("{")
    out.append(f"\t{parms} Parms;")
    for declared, pname in f.params:
        out.append(f"\tParms.{pname} = {pname};")
    target = f"const_cast<{t.name}*>(this)" if const else "this"
    out.append(f"\t{target}->ProcessEvent(FindFunctionChecked(FName({c_string(f.name)})), &Parms);")
    for declared, pname in f.params:
        if declared.strip().endswith("&") and not declared.strip().startswith("const "):
            out.append(f"\t{pname} = Parms.{pname};")
    if f.return_type != "void":
        out.append("\treturn Parms.ReturnValue;")
    out.append("}")
    out.append("")
    return out


def generate_enum(t, package):
    prefix = f"{t.name}::" if t.enum_form == "EnumClass" else ""
    out = [f"template <> UEnum* StaticEnum<{t.name}>()", "{"]
    out.append("\tstatic UE::CoreUObject::Host::FEnumRegistration Registration{")
    out.append(f"\t\t{c_string(t.name)}, {c_string(package)}, UEnum::ECppForm::{t.enum_form},")
    out.append("\t\t{")
    for entry_name, entry_meta in t.enum_entries:
        out.append(f"\t\t\t{{{c_string(prefix + entry_name)}, static_cast<int64>({t.name}::{entry_name}), {metadata_list(entry_meta)}}},")
    out.append("\t\t},")
    out.append(f"\t\t{metadata_list(t.metadata)}}};")
    out.append("\treturn UE::CoreUObject::Host::GetStaticEnum(Registration);")
    out.append("}")
    out.append(f"static UE::CoreUObject::Host::FCompiledInDefer Z_CompiledInDefer_UEnum_{t.name}(&StaticEnum<{t.name}>);")
    out.append("")
    return out


def check_generated_include(path, source, types):
    if not types:
        return
    stem = os.path.splitext(os.path.basename(path))[0]
    includes = [(m.start(), m.group(1)) for m in re.finditer(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', source, re.MULTILINE)]
    wanted = f"{stem}.generated.h"
    found = [pos for pos, name in includes if name == wanted]
    if not found:
        raise HeaderToolError(path, 1, f"a header with reflected types must include \"{wanted}\"")
    if includes[-1][1] != wanted:
        line = source.count("\n", 0, found[0]) + 1
        raise HeaderToolError(path, line, f"\"{wanted}\" must be the last include")


def underlying_of_enums(tokens, types):
    """Records each enum class's declared underlying type, so the forward declaration matches."""
    by_name = {t.name: t for t in types if t.kind == "enum"}
    for index, tok in enumerate(tokens):
        if tok.text != "enum":
            continue
        j = index + 1
        if j < len(tokens) and tokens[j].text in ("class", "struct"):
            j += 1
        if j + 1 < len(tokens) and tokens[j].text in by_name and tokens[j + 1].text == ":":
            parts = []
            k = j + 2
            while k < len(tokens) and tokens[k].text != "{":
                parts.append(tokens[k])
                k += 1
            by_name[tokens[j].text].underlying = join_tokens(parts)


def process(module, header_path):
    with open(header_path, "r", encoding="utf-8") as f:
        source = f.read()
    tokens = tokenize(header_path, source)
    types = HeaderParser(header_path, tokens).parse()
    check_generated_include(header_path, source, types)
    underlying_of_enums(tokens, types)
    return generate(module, header_path.replace("\\", "/"), types)


def main(argv):
    parser = argparse.ArgumentParser(description="Writes <Header>.generated.h and <Header>.gen.cpp for one header.")
    parser.add_argument("--module", required=True, help="module name; reflected types live in /Script/<module>")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("header")
    args = parser.parse_args(argv)
    if not re.fullmatch(r"[A-Za-z_][A-Za-z0-9_]*", args.module):
        print(f"error: module name '{args.module}' is not an identifier", file=sys.stderr)
        return 1
    header = os.path.abspath(args.header)
    try:
        generated_h, gen_cpp = process(args.module, header)
    except HeaderToolError as error:
        print(str(error), file=sys.stderr)
        return 1
    except (OSError, UnicodeDecodeError) as error:
        print(f"{header}:1: error: cannot read the header ({error})", file=sys.stderr)
        return 1
    os.makedirs(args.output_dir, exist_ok=True)
    stem = os.path.splitext(os.path.basename(header))[0]
    write_output(os.path.join(args.output_dir, f"{stem}.generated.h"), generated_h)
    write_output(os.path.join(args.output_dir, f"{stem}.gen.cpp"), gen_cpp)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
