// The scripting API that collection scripts are written against (`pm`, `postman`, the legacy
// globals), evaluated once per engine. It is a function of the global object, the native helpers
// (`host`: Base64, timers, requests, module files, dynamic variables) and chai; it installs the
// globals and hands back the entry points the engine drives. The helpers stay in this closure, so
// a script can reach them only through the API.
(function (global, host, chai) {
    'use strict';

    var SCRIPT_FILE = 'mako-script';
    var MODULES = ['lodash', 'moment'];

    // ---------------------------------------------------------------- state of one run
    var run = null; // {request, response, scopes, info, tests, console, nextRequest, ...}
    var pending = null; // what the running script still waits for
    var modules = {}; // the exports of each module once required, for the engine's life
    var loading = {}; // the modules whose code is running now

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
        return run.scopes[this._name];
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
            run.scopes.hasEnvironment = true;
    };
    Scope.prototype.unset = function (key) {
        key = String(key);
        run.scopes[this._name] = this._rows().filter(function (row) {
            return row.key !== key;
        });
    };
    Scope.prototype.clear = function () {
        run.scopes[this._name] = [];
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
                var row = findRow(run.scopes[PRECEDENCE[i]], String(key));
                if (row)
                    return row.value;
            }
            return undefined;
        },
        has: function (key) {
            return PRECEDENCE.some(function (name) {
                return findRow(run.scopes[name], String(key)) !== null;
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

    // ---------------------------------------------------------------- the response assertions
    // `pm.response.to.*`: assertions on a reply added to chai, next to chai's own.
    var STATUS_CLASSES = {
        info: [100, 199, 'informational'],
        success: [200, 299, 'success'],
        redirection: [300, 399, 'redirection'],
        clientError: [400, 499, 'client error'],
        serverError: [500, 599, 'server error'],
    };
    var STATUS_NAMES = {
        ok: 200,
        accepted: 202,
        withoutContent: 204,
        badRequest: 400,
        unauthorized: 401,
        forbidden: 403,
        notFound: 404,
        notAcceptable: 406,
        rateLimited: 429,
    };

    function jsonPath(value, path)
    {
        var parts = String(path).replace(/\[(\w+)\]/g, '.$1').split('.').filter(function (part) {
            return part.length > 0;
        });
        for (var i = 0; i < parts.length; ++i) {
            if (value === null || value === undefined || typeof value !== 'object'
                || !hasOwn(value, parts[i]))
                return {found: false};
            value = value[parts[i]];
        }
        return {found: true, value: value};
    }

    chai.use(function (chai, utils) {
        var Assertion = chai.Assertion;

        function response(assertion)
        {
            var object = assertion._obj;
            new Assertion(object instanceof Response, 'expected a response to assert on').to.be.ok;
            return object;
        }

        function contentType(reply)
        {
            return String(reply.headers.get('Content-Type') || '');
        }

        Assertion.addMethod('status', function (expected) {
            var reply = response(this);
            if (typeof expected === 'number') {
                this.assert(reply.code === expected,
                    'expected response to have status code #{exp} but got #{act}',
                    'expected response to not have status code #{act}', expected, reply.code);
            } else {
                this.assert(reply.status === expected,
                    'expected response to have status reason #{exp} but got #{act}',
                    'expected response to not have status reason #{act}', expected, reply.status);
            }
        });

        Object.keys(STATUS_CLASSES).forEach(function (name) {
            var range = STATUS_CLASSES[name];
            Assertion.addProperty(name, function () {
                var reply = response(this);
                this.assert(reply.code >= range[0] && reply.code <= range[1],
                    'expected response code to be ' + range[2] + ' (' + range[0] + '-' + range[1]
                        + ') but found #{act}',
                    'expected response code to not be ' + range[2] + ' but found #{act}',
                    undefined, reply.code);
            });
        });
        Assertion.addProperty('error', function () {
            var reply = response(this);
            this.assert(reply.code >= 400 && reply.code <= 599,
                'expected response code to be 4XX or 5XX but found #{act}',
                'expected response code to not be 4XX or 5XX but found #{act}', undefined,
                reply.code);
        });
        Object.keys(STATUS_NAMES).forEach(function (name) {
            var code = STATUS_NAMES[name];
            function check()
            {
                var reply = response(this);
                this.assert(reply.code === code,
                    'expected response to have status code #{exp} but got #{act}',
                    'expected response to not have status code #{act}', code, reply.code);
            }
            if (name === 'ok') {
                // chai's own `ok` (truthy) stays for everything that is not a reply.
                Assertion.overwriteProperty('ok', function (_super) {
                    return function () {
                        if (this._obj instanceof Response)
                            check.call(this);
                        else
                            _super.call(this);
                    };
                });
            } else {
                Assertion.addProperty(name, check);
            }
        });

        Assertion.addMethod('header', function (name, value) {
            var reply = response(this);
            var present = reply.headers.has(name);
            if (arguments.length < 2 || !present) {
                this.assert(present, 'expected response to have header with key #{exp}',
                    'expected response to not have header with key #{exp}', name);
                if (arguments.length < 2)
                    return;
            }
            var actual = reply.headers.get(name);
            this.assert(actual === String(value),
                'expected \'' + name + '\' response header to be #{exp} but got #{act}',
                'expected \'' + name + '\' response header to not be #{act}', String(value),
                actual);
        });

        Assertion.addMethod('body', function (expected) {
            var reply = response(this);
            var text = reply.text();
            if (arguments.length === 0) {
                this.assert(text.length > 0, 'expected response to have content in body',
                    'expected response to not have content in body');
            } else if (expected instanceof RegExp) {
                this.assert(expected.test(text), 'expected response body text to match #{exp}',
                    'expected response body text to not match #{exp}', expected, text);
            } else if (typeof expected === 'string') {
                this.assert(text === expected, 'expected response body to equal #{exp} but got #{act}',
                    'expected response body to not equal #{exp}', expected, text);
            } else {
                var parsed;
                try {
                    parsed = JSON.parse(text);
                } catch (e) {
                    parsed = undefined;
                }
                this.assert(utils.eql(parsed, expected),
                    'expected response body json to equal #{exp} but got #{act}',
                    'expected response body json to not equal #{exp}', expected, parsed);
            }
        });
        Assertion.addProperty('withBody', function () {
            var reply = response(this);
            this.assert(reply.text().length > 0, 'expected response to have content in body',
                'expected response to not have content in body');
        });

        Assertion.addMethod('jsonBody', function (path, value) {
            var reply = response(this);
            var parsed, valid = true;
            try {
                parsed = JSON.parse(reply.text());
            } catch (e) {
                valid = false;
            }
            if (arguments.length === 0 || !valid) {
                this.assert(valid, 'expected response body to be a valid json',
                    'expected response body to not be a valid json');
                if (arguments.length === 0)
                    return;
            }
            if (typeof path === 'object') {
                this.assert(utils.eql(parsed, path),
                    'expected response body json to equal #{exp} but got #{act}',
                    'expected response body json to not equal #{exp}', path, parsed);
                return;
            }
            var found = jsonPath(parsed, path);
            if (arguments.length < 2) {
                this.assert(found.found, 'expected #{act} in response to contain property #{exp}',
                    'expected #{act} in response to not contain property #{exp}', path, parsed);
                return;
            }
            this.assert(found.found && utils.eql(found.value, value),
                'expected response to have property ' + path + ' equal to #{exp} but got #{act}',
                'expected response to not have property ' + path + ' equal to #{act}', value,
                found.value);
        });

        [['json', /\bjson\b|\+json\b/i, 'json'], ['html', /html/i, 'html'],
            ['xml', /xml/i, 'xml']].forEach(function (kind) {
            Assertion.addProperty(kind[0], function () {
                var reply = response(this);
                var type = contentType(reply);
                var matches = kind[1].test(type);
                if (matches && kind[0] === 'json') {
                    try {
                        JSON.parse(reply.text());
                    } catch (e) {
                        matches = false;
                    }
                }
                this.assert(matches, 'expected response to be ' + kind[2] + ' but got #{act}',
                    'expected response to not be ' + kind[2], undefined, type);
            });
        });
    });

    // ---------------------------------------------------------------- the request
    // The request's URL as scripts take it apart; the query is kept as written (no decoding), so
    // that what a script leaves alone goes out unchanged.
    function splitUrl(text)
    {
        var hash = text.indexOf('#');
        var fragment = hash >= 0 ? text.slice(hash) : '';
        var rest = hash >= 0 ? text.slice(0, hash) : text;
        var mark = rest.indexOf('?');
        var query = mark >= 0 ? rest.slice(mark + 1) : '';
        var base = mark >= 0 ? rest.slice(0, mark) : rest;
        var parts = /^([A-Za-z][\w+.-]*:\/\/)?([^\/]*)(.*)$/.exec(base);
        return {
            base: base,
            fragment: fragment,
            host: parts[2],
            path: parts[3] || '/',
            query: query.length === 0 ? [] : query.split('&').map(function (pair) {
                var equals = pair.indexOf('=');
                return equals >= 0 ? {key: pair.slice(0, equals), value: pair.slice(equals + 1)}
                                   : {key: pair, value: null};
            }),
        };
    }

    function joinUrl(parts)
    {
        var query = parts.query.map(function (row) {
            return row.value === null ? row.key : row.key + '=' + row.value;
        }).join('&');
        return parts.base + (parts.query.length > 0 ? '?' + query : '') + parts.fragment;
    }

    function makeUrl()
    {
        function update(text)
        {
            run.request.url = String(text);
            run.request.urlChanged = true;
        }
        function changeQuery(change)
        {
            var parts = splitUrl(run.request.url);
            change(parts.query);
            update(joinUrl(parts));
        }
        function row(param, value)
        {
            if (typeof param === 'string') {
                if (arguments.length > 1)
                    return {key: param, value: textOf(value)};
                var equals = param.indexOf('=');
                return equals >= 0 ? {key: param.slice(0, equals), value: param.slice(equals + 1)}
                                   : {key: param, value: null};
            }
            return {key: String(param.key), value: param.value === null ? null : textOf(param.value)};
        }
        var query = {
            get: function (key) {
                var found = splitUrl(run.request.url).query.filter(function (entry) {
                    return entry.key === key;
                })[0];
                return found ? found.value : undefined;
            },
            has: function (key) {
                return query.get(key) !== undefined;
            },
            all: function () {
                return splitUrl(run.request.url).query;
            },
            toObject: function () {
                var object = {};
                query.all().forEach(function (entry) {
                    if (!hasOwn(object, entry.key))
                        object[entry.key] = entry.value;
                });
                return object;
            },
            add: function (param, value) {
                var entry = row.apply(null, arguments);
                changeQuery(function (rows) {
                    rows.push(entry);
                });
            },
            upsert: function (param, value) {
                var entry = row.apply(null, arguments);
                changeQuery(function (rows) {
                    var found = rows.filter(function (existing) {
                        return existing.key === entry.key;
                    })[0];
                    if (found)
                        found.value = entry.value;
                    else
                        rows.push(entry);
                });
            },
            remove: function (key) {
                changeQuery(function (rows) {
                    for (var i = rows.length - 1; i >= 0; --i) {
                        if (rows[i].key === key)
                            rows.splice(i, 1);
                    }
                });
            },
        };
        return {
            query: query,
            toString: function () {
                return run.request.url;
            },
            getRaw: function () {
                return run.request.url;
            },
            getHost: function () {
                return splitUrl(run.request.url).host;
            },
            getPath: function () {
                return splitUrl(run.request.url).path;
            },
            getQueryString: function () {
                var parts = splitUrl(run.request.url);
                parts.base = '';
                parts.fragment = '';
                return joinUrl(parts).slice(1);
            },
            addQueryParams: function (params) {
                (Array.isArray(params) ? params : [params]).forEach(function (param) {
                    query.add(param);
                });
            },
            removeQueryParams: function (keys) {
                (Array.isArray(keys) ? keys : [keys]).forEach(function (key) {
                    query.remove(typeof key === 'string' ? key : key.key);
                });
            },
            update: update,
        };
    }

    function makeRequest()
    {
        var data = run.request;
        var body = {
            mode: data.bodyMode,
            toString: function () {
                return data.body;
            },
            isEmpty: function () {
                return data.body.length === 0;
            },
            update: function (text) {
                body.raw = textOf(text);
            },
        };
        Object.defineProperty(body, 'raw', {
            enumerable: true,
            get: function () {
                return data.body;
            },
            set: function (text) {
                data.body = textOf(text);
                data.bodyChanged = true;
            },
        });
        var request = {
            headers: new HeaderList(data.headers),
            body: body,
            name: run.info.requestName,
            id: run.info.requestId,
            addHeader: function (header) {
                request.headers.add(header);
            },
            removeHeader: function (name) {
                request.headers.remove(name);
            },
        };
        var url = makeUrl();
        Object.defineProperty(request, 'url', {
            enumerable: true,
            get: function () {
                return url;
            },
            set: function (text) {
                url.update(typeof text === 'object' && text !== null ? text.toString() : text);
            },
        });
        Object.defineProperty(request, 'method', {
            enumerable: true,
            get: function () {
                return data.method;
            },
            set: function (method) {
                data.method = String(method).toUpperCase();
            },
        });
        return request;
    }

    // ---------------------------------------------------------------- tests
    function recordTest(name, passed, error, skipped)
    {
        var result = {name: String(name), passed: passed, error: error || '', skipped: !!skipped};
        run.tests.push(result);
        return result;
    }

    function test(name, fn)
    {
        if (typeof fn !== 'function') {
            recordTest(name, true, '', true);
            return test;
        }
        if (fn.length === 0) {
            try {
                fn();
                recordTest(name, true);
            } catch (e) {
                recordTest(name, false, testFailure(e));
            }
            return test;
        }
        // An asynchronous test holds its place in the list until it calls `done`.
        var result = recordTest(name, false, '');
        result.waiting = true;
        pending.tests.push(result);
        function done(error)
        {
            if (!result.waiting)
                return;
            result.waiting = false;
            pending.tests.splice(pending.tests.indexOf(result), 1);
            result.passed = !error;
            result.error = error ? testFailure(error) : '';
        }
        try {
            fn(done);
        } catch (e) {
            done(e);
        }
        return test;
    }
    test.skip = function (name) {
        recordTest(name, true, '', true);
        return test;
    };

    // ---------------------------------------------------------------- console
    function logger(level)
    {
        return function () {
            var line = Array.prototype.map.call(arguments, consoleText).join(' ');
            run.console.push(level ? level + ': ' + line : line);
        };
    }
    var consoleObject = {
        log: logger(''),
        info: logger(''),
        debug: logger(''),
        warn: logger('warn'),
        error: logger('error'),
    };

    // ---------------------------------------------------------------- timers and requests
    var nextCallbackId = 1;

    function startTimer(fn, delay, args, repeat)
    {
        if (typeof fn !== 'function')
            throw new TypeError((repeat ? 'setInterval' : 'setTimeout') + ' needs a function');
        var id = nextCallbackId++;
        pending.timers[id] = {
            repeat: repeat,
            call: function () {
                fn.apply(null, args);
            },
        };
        // A timer's interval is a 32-bit count of milliseconds.
        host.startTimer(id, Math.min(Math.max(0, Number(delay) || 0), 2147483647), repeat);
        return id;
    }

    function setTimeoutFunction(fn, delay)
    {
        return startTimer(fn, delay, Array.prototype.slice.call(arguments, 2), false);
    }

    // An interval keeps its script waiting until it is cleared (or the time-out ends it).
    function setIntervalFunction(fn, delay)
    {
        return startTimer(fn, delay, Array.prototype.slice.call(arguments, 2), true);
    }

    function clearTimeoutFunction(id)
    {
        if (pending && hasOwn(pending.timers, id)) {
            delete pending.timers[id];
            host.stopTimer(id);
        }
    }

    var RAW_TYPES = {
        json: 'application/json',
        text: 'text/plain',
        javascript: 'application/javascript',
        html: 'text/html',
        xml: 'application/xml',
    };

    function requestSpec(options)
    {
        if (typeof options === 'string')
            return {url: options, method: 'GET', headers: [], body: ''};
        if (!options || typeof options !== 'object')
            throw new TypeError('pm.sendRequest needs a URL or a request');
        var headers = [];
        var header = options.header || options.headers;
        if (Array.isArray(header)) {
            header.forEach(function (row) {
                if (row && !row.disabled)
                    headers.push([String(row.key), textOf(row.value)]);
            });
        } else if (header && typeof header === 'object') {
            Object.keys(header).forEach(function (key) {
                headers.push([key, textOf(header[key])]);
            });
        }
        var body = '';
        var type = null;
        var given = options.body;
        if (typeof given === 'string') {
            body = given;
        } else if (given && (given.mode === 'raw' || given.raw !== undefined)) {
            body = textOf(given.raw);
            var language = given.options && given.options.raw && given.options.raw.language;
            type = RAW_TYPES[language] || null;
        } else if (given && given.mode === 'urlencoded') {
            var rows = Array.isArray(given.urlencoded) ? given.urlencoded : [];
            body = rows.filter(function (row) {
                return row && !row.disabled;
            }).map(function (row) {
                return encodeURIComponent(row.key) + '=' + encodeURIComponent(textOf(row.value));
            }).join('&');
            type = 'application/x-www-form-urlencoded';
        }
        // The body's kind names its type, unless the script gave one.
        var typed = headers.some(function (pair) {
            return pair[0].toLowerCase() === 'content-type';
        });
        if (type && body.length > 0 && !typed)
            headers.push(['Content-Type', type]);
        var url = options.url;
        if (url && typeof url === 'object')
            url = url.raw !== undefined ? url.raw : url.toString();
        return {
            url: String(url),
            method: String(options.method || 'GET').toUpperCase(),
            headers: headers,
            body: body,
        };
    }

    function sendRequest(options, callback)
    {
        var spec = requestSpec(options);
        var id = nextCallbackId++;
        pending.requests[id] = typeof callback === 'function' ? callback : function () {};
        host.send(id, JSON.stringify(spec));
    }

    // ---------------------------------------------------------------- require
    function requireModule(name)
    {
        name = String(name);
        if (hasOwn(modules, name))
            return modules[name];
        var source = MODULES.indexOf(name) >= 0 ? host.moduleSource(name) : null;
        if (typeof source !== 'string' || source.length === 0)
            throw new Error('Module ' + name + ' is not available');
        var module = {exports: {}};
        var factory = new Function('module', 'exports', 'require', source);
        loading[name] = true;
        try {
            factory.call(module.exports, module, module.exports, function (inner) {
                throw new Error('Module ' + inner + ' is not available');
            });
        } finally {
            delete loading[name];
        }
        modules[name] = module.exports;
        return module.exports;
    }

    // ---------------------------------------------------------------- Base64
    function btoa(text)
    {
        text = String(text);
        if (/[^\u0000-\u00ff]/.test(text))
            throw new Error('btoa: the string has characters outside of Latin-1');
        return host.btoa(text);
    }

    function atob(text)
    {
        return host.atob(String(text));
    }

    // ---------------------------------------------------------------- the globals
    function legacyScope(name)
    {
        return new Scope(name).toObject();
    }

    function setNextRequest(name)
    {
        run.nextRequest = {value: name === null || name === undefined ? null : String(name)};
    }

    function makePostman()
    {
        var environment = new Scope('environment');
        var globals = new Scope('globals');
        return {
            setNextRequest: setNextRequest,
            setEnvironmentVariable: function (key, value) {
                environment.set(key, value);
            },
            getEnvironmentVariable: function (key) {
                return environment.get(key);
            },
            clearEnvironmentVariable: function (key) {
                environment.unset(key);
            },
            clearEnvironmentVariables: function () {
                environment.clear();
            },
            setGlobalVariable: function (key, value) {
                globals.set(key, value);
            },
            getGlobalVariable: function (key) {
                return globals.get(key);
            },
            clearGlobalVariable: function (key) {
                globals.unset(key);
            },
            clearGlobalVariables: function () {
                globals.clear();
            },
            getResponseHeader: function (name) {
                return run.responseObject ? run.responseObject.headers.get(name) : undefined;
            },
        };
    }

    // The cookies the reply set, parsed by the engine.
    function makeCookies()
    {
        var list = run.response && run.response.cookies ? run.response.cookies : [];
        function find(name)
        {
            for (var i = list.length - 1; i >= 0; --i) {
                if (list[i].name === name)
                    return list[i];
            }
            return null;
        }
        return {
            get: function (name) {
                var cookie = find(String(name));
                return cookie ? cookie.value : undefined;
            },
            has: function (name) {
                return find(String(name)) !== null;
            },
            toObject: function () {
                var object = {};
                list.forEach(function (cookie) {
                    object[cookie.name] = cookie.value;
                });
                return object;
            },
            all: function () {
                return list.slice();
            },
        };
    }

    function makePm()
    {
        var info = run.info;
        var pm = {
            test: test,
            expect: chai.expect,
            environment: new Scope('environment'),
            globals: new Scope('globals'),
            collectionVariables: new Scope('collection'),
            variables: variables,
            iterationData: new ReadOnlyScope('data'),
            request: makeRequest(),
            response: run.responseObject,
            info: {
                requestName: info.requestName,
                requestId: info.requestId,
                iteration: info.iteration,
                iterationCount: info.iterationCount,
                eventName: info.eventName,
            },
            sendRequest: sendRequest,
            setNextRequest: setNextRequest,
            execution: {setNextRequest: setNextRequest},
            require: requireModule,
            cookies: makeCookies(),
            // The window has no visualizer; scripts that feed one still run to their tests.
            visualizer: {set: function () {}, clear: function () {}},
        };
        pm.environment.name = info.environmentName;
        return pm;
    }

    function legacyRequest(request)
    {
        return {
            url: request.url.toString(),
            method: request.method,
            headers: request.headers.toObject(),
            data: run.request.body,
            name: run.info.requestName,
            id: run.info.requestId,
        };
    }

    var API_GLOBALS = ['pm', 'postman', 'tests', 'console', 'require', 'atob', 'btoa',
        'setTimeout', 'clearTimeout', 'setInterval', 'clearInterval', 'environment', 'globals', 'data', 'iteration', 'request',
        'responseBody', 'responseCode', 'responseHeaders', 'responseTime'];

    function installGlobals()
    {
        var pm = makePm();
        var values = {
            pm: pm,
            postman: makePostman(),
            tests: {},
            console: consoleObject,
            require: requireModule,
            atob: atob,
            btoa: btoa,
            setTimeout: setTimeoutFunction,
            clearTimeout: clearTimeoutFunction,
            setInterval: setIntervalFunction,
            clearInterval: clearTimeoutFunction,
            environment: legacyScope('environment'),
            globals: legacyScope('globals'),
            data: legacyScope('data'),
            iteration: run.info.iteration,
            request: legacyRequest(pm.request),
        };
        var reply = run.responseObject;
        if (reply) {
            values.responseBody = reply.text();
            values.responseCode = {code: reply.code, name: reply.status, detail: reply.status};
            values.responseHeaders = reply.headers.toObject();
            values.responseTime = reply.responseTime;
        }
        API_GLOBALS.forEach(function (name) {
            global[name] = values[name];
        });
    }

    for (var g = 0; g < API_GLOBALS.length; ++g)
        global[API_GLOBALS[g]] = undefined;
    // Older scripts use lodash as the global `_` without requiring it: it is read on first use.
    Object.defineProperty(global, '_', {
        configurable: true,
        get: function () {
            // lodash itself looks for an earlier `_` while it loads: there is none.
            return hasOwn(loading, 'lodash') ? undefined : requireModule('lodash');
        },
        set: function (value) {
            Object.defineProperty(global, '_', {
                value: value, writable: true, configurable: true, enumerable: true});
        },
    });

    // What the global object holds once set up (as property descriptors, so that no getter runs
    // here); a script's leftovers are taken away after it and what it replaced is put back.
    var baseline = {};
    Object.getOwnPropertyNames(global).forEach(function (name) {
        baseline[name] = Object.getOwnPropertyDescriptor(global, name);
    });

    function restoreGlobals()
    {
        Object.getOwnPropertyNames(global).forEach(function (name) {
            if (!hasOwn(baseline, name))
                delete global[name];
        });
        Object.keys(baseline).forEach(function (name) {
            var was = baseline[name];
            var now = Object.getOwnPropertyDescriptor(global, name);
            if (now && now.value === was.value && now.get === was.get && now.set === was.set)
                return;
            try {
                Object.defineProperty(global, name, was);
            } catch (e) {
                // A property the engine does not let go of (NaN, undefined) never changed.
            }
        });
    }

    // ---------------------------------------------------------------- entry points
    function guarded(fn)
    {
        try {
            fn();
            return null;
        } catch (e) {
            return describeFailure(e);
        }
    }

    function pendingCount()
    {
        if (!pending)
            return 0;
        return Object.keys(pending.timers).length + Object.keys(pending.requests).length
            + pending.tests.length;
    }

    return {
        start: function (contextText) {
            var context = JSON.parse(contextText);
            run = context;
            run.tests = [];
            run.console = [];
            run.nextRequest = undefined;
            run.responseObject = context.response ? new Response(context.response) : null;
        },
        runScript: function (fn) {
            pending = {timers: {}, requests: {}, tests: []};
            installGlobals();
            return guarded(function () {
                fn.call(global);
            });
        },
        pending: pendingCount,
        fire: function (id) {
            if (!pending || !hasOwn(pending.timers, id))
                return null;
            var timer = pending.timers[id];
            if (!timer.repeat)
                delete pending.timers[id];
            return guarded(timer.call);
        },
        deliver: function (id, error, replyText) {
            if (!pending || !hasOwn(pending.requests, id))
                return null;
            var callback = pending.requests[id];
            delete pending.requests[id];
            return guarded(function () {
                callback(error ? new Error(error) : null,
                    replyText ? new Response(JSON.parse(replyText)) : undefined);
            });
        },
        // The script ends: tests that never called `done` fail with `reason`, what it still
        // waited for is dropped, its legacy `tests[...]` are recorded and its globals go.
        endScript: function (reason) {
            if (pending) {
                pending.tests.forEach(function (result) {
                    result.waiting = false;
                    result.error = reason;
                });
            }
            pending = null;
            var legacy = global.tests;
            if (legacy && typeof legacy === 'object') {
                Object.keys(legacy).forEach(function (name) {
                    recordTest(name, !!legacy[name]);
                });
            }
            restoreGlobals();
        },
        finish: function () {
            var scopes = {};
            ['globals', 'collection', 'environment', 'data', 'local'].forEach(function (name) {
                scopes[name] = run.scopes[name].map(function (row) {
                    return {key: row.key, value: textOf(row.value), enabled: row.enabled,
                        index: row.index};
                });
            });
            scopes.hasEnvironment = !!run.scopes.hasEnvironment;
            var result = JSON.stringify({
                request: {
                    url: run.request.url,
                    urlChanged: !!run.request.urlChanged,
                    method: run.request.method,
                    headers: run.request.headers.map(function (row) {
                        return {key: row.key, value: row.value, enabled: !row.disabled,
                            index: row.index};
                    }),
                    body: run.request.body,
                    bodyChanged: !!run.request.bodyChanged,
                },
                scopes: scopes,
                tests: run.tests.map(function (result) {
                    return {name: result.name, passed: result.passed, error: result.error,
                        skipped: result.skipped};
                }),
                console: run.console,
                nextRequest: run.nextRequest,
            });
            run = null;
            return result;
        },
    };
})
