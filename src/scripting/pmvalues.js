// The values of the scripting API: errors as scripts report them, variable scopes, header
// lists and replies. Each of the API's files is a function of the shared `lib` (what the files
// hand each other and the state of the run under way), the global object, the native helpers
// (`host`) and chai; they run once per engine, in the order the engine lists them, and only
// what the last one installs is visible to scripts.
(function (lib, global, host, chai) {
    'use strict';

    var SCRIPT_FILE = 'mako-script';
    // The run under way: {request, response, scopes, info, tests, console, nextRequest, ...}.
    var state = lib.state = {run: null};

    function hasOwn(object, key)
    {
        return Object.prototype.hasOwnProperty.call(object, key);
    }

    // ---------------------------------------------------------------- errors
    // "TypeError: x is not a function (line 3)": the line is the script's own, found in the
    // stack, since an assertion throws from deep inside chai.
    function scriptLine(error)
    {
        if (error && typeof error.stack === 'string') {
            var frames = error.stack.split('\n');
            for (var i = 0; i < frames.length; ++i) {
                var match = /@(?:file:)?mako-script:(\d+)/.exec(frames[i]);
                if (match)
                    return Number(match[1]);
            }
        }
        if (error && typeof error.fileName === 'string'
            && error.fileName.indexOf(SCRIPT_FILE) >= 0 && error.lineNumber > 0)
            return error.lineNumber;
        return 0;
    }

    function errorText(error)
    {
        if (error && typeof error === 'object' && 'message' in error)
            return (error.name ? error.name + ': ' : '') + error.message;
        return 'Error: ' + String(error);
    }

    // A failure for the engine to report: its text, and the script's line when one is known.
    function describeFailure(error)
    {
        return {message: errorText(error), line: scriptLine(error)};
    }

    // What a failed test reports: an assertion's own message, or any other error with its kind.
    function testFailure(error)
    {
        if (error && error.name === 'AssertionError')
            return String(error.message);
        return errorText(error);
    }

    // ---------------------------------------------------------------- values
    function textOf(value)
    {
        if (typeof value === 'string')
            return value;
        if (value === undefined || value === null)
            return '';
        if (typeof value === 'object') {
            try {
                return JSON.stringify(value);
            } catch (e) {
                return String(value);
            }
        }
        return String(value);
    }

    function consoleText(value)
    {
        if (typeof value === 'string')
            return value;
        if (value === undefined)
            return 'undefined';
        if (value instanceof Error)
            return errorText(value);
        if (typeof value === 'object' && value !== null) {
            try {
                return JSON.stringify(value);
            } catch (e) {
                return String(value);
            }
        }
        return String(value);
    }

    // ---------------------------------------------------------------- variable scopes
    // A scope is its rows in order, as the engine handed them over ({key, value, enabled,
    // index}); a row's `index` ties it back to the stored row so that ids survive.
    function findRow(rows, key)
    {
        for (var i = 0; i < rows.length; ++i) {
            if (rows[i].enabled && rows[i].key === key)
                return rows[i];
        }
        return null;
    }

    function replaceIn(text, lookup)
    {
        if (typeof text !== 'string')
            return text;
        return text.replace(/\{\{([^{}]+)\}\}/g, function (whole, name) {
            var found = lookup(name);
            if (found !== undefined)
                return textOf(found);
            if (name.charAt(0) === '$') {
                var drawn = host.dynamicValue(name);
                if (typeof drawn === 'string')
                    return drawn;
            }
            return whole;
        });
    }

    function Scope(name)
    {
        this._name = name;
    }
    Scope.prototype._rows = function () {
        return state.run.scopes[this._name];
    };
    Scope.prototype.get = function (key) {
        var row = findRow(this._rows(), String(key));
        return row ? row.value : undefined;
    };
    Scope.prototype.has = function (key) {
        return findRow(this._rows(), String(key)) !== null;
    };
    Scope.prototype.set = function (key, value) {
        key = String(key);
        var rows = this._rows();
        var row = findRow(rows, key);
        if (row)
            row.value = value;
        else
            rows.push({key: key, value: value, enabled: true, index: -1});
        if (this._name === 'environment')
            state.run.scopes.hasEnvironment = true;
    };
    Scope.prototype.unset = function (key) {
        key = String(key);
        state.run.scopes[this._name] = this._rows().filter(function (row) {
            return row.key !== key;
        });
    };
    Scope.prototype.clear = function () {
        state.run.scopes[this._name] = [];
    };
    Scope.prototype.toObject = function () {
        var object = {};
        // In row order; where a name repeats, its first row counts, as in substitution.
        this._rows().forEach(function (row) {
            if (row.enabled && row.key && !hasOwn(object, row.key))
                object[row.key] = row.value;
        });
        return object;
    };
    Scope.prototype.replaceIn = function (text) {
        var self = this;
        return replaceIn(text, function (key) {
            return self.get(key);
        });
    };

    function ReadOnlyScope(name)
    {
        Scope.call(this, name);
    }
    ReadOnlyScope.prototype = Object.create(Scope.prototype);
    ReadOnlyScope.prototype.set = undefined;
    ReadOnlyScope.prototype.unset = undefined;
    ReadOnlyScope.prototype.clear = undefined;

    // pm.variables: every scope, the narrowest first; `set` writes the local one.
    var PRECEDENCE = ['local', 'data', 'environment', 'collection', 'globals'];
    var variables = {
        get: function (key) {
            for (var i = 0; i < PRECEDENCE.length; ++i) {
                var row = findRow(state.run.scopes[PRECEDENCE[i]], String(key));
                if (row)
                    return row.value;
            }
            return undefined;
        },
        has: function (key) {
            return PRECEDENCE.some(function (name) {
                return findRow(state.run.scopes[name], String(key)) !== null;
            });
        },
        set: function (key, value) {
            new Scope('local').set(key, value);
        },
        unset: function (key) {
            new Scope('local').unset(key);
        },
        toObject: function () {
            var object = {};
            for (var i = PRECEDENCE.length - 1; i >= 0; --i) {
                var part = new Scope(PRECEDENCE[i]).toObject();
                for (var key in part)
                    object[key] = part[key];
            }
            return object;
        },
        replaceIn: function (text) {
            return replaceIn(text, variables.get);
        },
    };

    // ---------------------------------------------------------------- headers
    // A list of {key, value, disabled} rows with the lookups scripts use on request and
    // response headers; names compare ignoring case, as HTTP's do.
    function HeaderList(rows)
    {
        this._list = rows;
    }
    HeaderList.prototype._find = function (name) {
        name = String(name).toLowerCase();
        for (var i = 0; i < this._list.length; ++i) {
            var row = this._list[i];
            if (!row.disabled && row.key.toLowerCase() === name)
                return row;
        }
        return null;
    };
    HeaderList.prototype.get = function (name) {
        var row = this._find(name);
        return row ? row.value : undefined;
    };
    HeaderList.prototype.has = function (name, value) {
        var row = this._find(name);
        return row !== null && (arguments.length < 2 || row.value === String(value));
    };
    HeaderList.prototype.one = function (name) {
        var row = this._find(name);
        return row ? {key: row.key, value: row.value} : undefined;
    };
    HeaderList.prototype.all = function () {
        return this._list.filter(function (row) {
            return !row.disabled;
        }).map(function (row) {
            return {key: row.key, value: row.value};
        });
    };
    HeaderList.prototype.each = function (callback) {
        this.all().forEach(callback);
    };
    HeaderList.prototype.count = function () {
        return this.all().length;
    };
    HeaderList.prototype.toObject = function () {
        var object = {};
        this.all().forEach(function (row) {
            if (!hasOwn(object, row.key))
                object[row.key] = row.value;
        });
        return object;
    };
    function headerRow(header, value)
    {
        if (typeof header === 'string')
            return {key: header, value: textOf(value)};
        return {key: String(header.key), value: textOf(header.value)};
    }
    HeaderList.prototype.add = function (header, value) {
        var row = headerRow(header, value);
        this._list.push({key: row.key, value: row.value, disabled: false, index: -1});
    };
    HeaderList.prototype.upsert = function (header, value) {
        var row = headerRow(header, value);
        var existing = this._find(row.key);
        if (existing)
            existing.value = row.value;
        else
            this.add(row);
    };
    HeaderList.prototype.remove = function (name) {
        var match = typeof name === 'function' ? name : function (row) {
            return row.key.toLowerCase() === String(name).toLowerCase();
        };
        for (var i = this._list.length - 1; i >= 0; --i) {
            if (match(this._list[i]))
                this._list.splice(i, 1);
        }
    };

    // ---------------------------------------------------------------- responses
    // The one shape of a reply, for pm.response and for pm.sendRequest's callback.
    function Response(data)
    {
        this.code = data.code;
        this.status = data.status;
        this.headers = new HeaderList(data.headers.map(function (pair) {
            return {key: pair[0], value: pair[1], disabled: false};
        }));
        this.responseTime = data.responseTime;
        this.responseSize = data.responseSize;
        this._body = data.body;
    }
    Response.prototype.text = function () {
        return this._body;
    };
    Response.prototype.json = function () {
        return JSON.parse(this._body);
    };
    Response.prototype.reason = function () {
        return this.status;
    };
    Object.defineProperty(Response.prototype, 'to', {
        get: function () {
            return chai.expect(this).to;
        },
    });
    Object.defineProperty(Response.prototype, 'body', {
        get: function () {
            return this._body;
        },
    });

    lib.hasOwn = hasOwn;
    lib.textOf = textOf;
    lib.consoleText = consoleText;
    lib.errorText = errorText;
    lib.describeFailure = describeFailure;
    lib.testFailure = testFailure;
    lib.Scope = Scope;
    lib.ReadOnlyScope = ReadOnlyScope;
    lib.variables = variables;
    lib.HeaderList = HeaderList;
    lib.Response = Response;
})
